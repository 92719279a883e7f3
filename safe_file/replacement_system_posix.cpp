#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "replacement_system.h"
#include "system_error.h"

namespace replacement_system {

namespace {
bool Failed(std::string& reason) {
  reason = ErrnoText(errno);
  return false;
}
}  // namespace

bool CreateNew(const std::string& path, Handle& handle, std::string& reason) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return Failed(reason);
  handle = fd;
  return true;
}

bool WriteAll(Handle handle, const void* data, std::size_t size, std::string& reason) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  while (size > 0) {
    const ssize_t put = write(static_cast<int>(handle), bytes, size);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return put < 0 ? Failed(reason) : (reason = ErrnoText(ENOSPC), false);
    bytes += put;
    size -= static_cast<std::size_t>(put);
  }
  return true;
}

bool FlushAndClose(Handle handle, std::string& reason) {
  const int fd = static_cast<int>(handle);
  if (fsync(fd) != 0) {
    Failed(reason);
    close(fd);
    return false;
  }
  return close(fd) == 0 || Failed(reason);
}

void Close(Handle handle) { close(static_cast<int>(handle)); }

bool MoveOver(const std::string& from, const std::string& to, std::string& reason) {
  return std::rename(from.c_str(), to.c_str()) == 0 || Failed(reason);
}

bool MoveOverKeepingBackup(const std::string& from, const std::string& to, const std::string& backup,
                           std::string& reason, const std::function<void()>& step) {
  // A second name for the old file: `to` itself never goes away, and rename() then swaps
  // the new content in atomically.
  if (link(to.c_str(), backup.c_str()) != 0) {
    // File systems without hard links get a copy, flushed before anything changes.
    std::error_code error;
    if (!std::filesystem::copy_file(to, backup, error)) {
      reason = error.message();
      return false;
    }
    const int fd = open(backup.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
      fsync(fd);
      close(fd);
    }
  }
  if (step) step();
  return MoveOver(from, to, reason);
}

void RemoveQuietly(const std::string& path) { unlink(path.c_str()); }

void SyncFolder(const std::string& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

unsigned long CurrentProcessId() { return static_cast<unsigned long>(getpid()); }

bool ProcessIsRunning(unsigned long processId) {
  if (processId == 0 || processId > 0x7FFFFFFFul) return false;
  return kill(static_cast<pid_t>(processId), 0) == 0 || errno != ESRCH;
}

Handle LockFolderOf(const std::string&, const std::string& folder) {
  // flock on the folder itself: no lock file to leave behind, and the system drops the
  // lock of a process that dies.
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return kNoHandle;
  while (flock(fd, LOCK_EX) != 0) {
    if (errno == EINTR) continue;
    close(fd);
    return kNoHandle;
  }
  return fd;
}

void Unlock(Handle lock) {
  if (lock != kNoHandle) close(static_cast<int>(lock));
}

}  // namespace replacement_system
