// For tests of readers handed a FIFO that nobody writes to (POSIX only): a reader that opens
// it the plain way waits for a writer for ever. The guard runs the reader on a thread of its
// own; should it still be waiting after a generous while, the guard releases it (a writer
// opens the FIFO and closes it again, which ends the wait) and reports it as hung, so the
// test fails instead of hanging.
#pragma once

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

// Makes a FIFO at `path`; false when the system refuses.
inline bool MakeFifo(const std::string& path) { return mkfifo(path.c_str(), 0600) == 0; }

// True when `read` returned by itself; false when it had to be released from `fifo`.
inline bool ReturnsWithoutAWriter(const std::string& fifo, const std::function<void()>& read) {
  std::mutex mutex;
  std::condition_variable finished;
  bool done = false;
  std::thread reader([&] {
    read();
    std::lock_guard<std::mutex> lock(mutex);
    done = true;
    finished.notify_all();
  });
  bool byItself;
  {
    std::unique_lock<std::mutex> lock(mutex);
    byItself = finished.wait_for(lock, std::chrono::seconds(30), [&] { return done; });
  }
  while (!byItself) {
    // A writer that comes and goes: the waiting open returns, and a read then sees the end.
    const int writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0) close(writer);
    std::unique_lock<std::mutex> lock(mutex);
    if (finished.wait_for(lock, std::chrono::milliseconds(100), [&] { return done; })) break;
  }
  reader.join();
  return byItself;
}
#endif
