#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "file_class.h"

FileClass::Handle FileClass::OpenHandle(int mode) {
  if (mode == kRead) return OpenForReading();
  const int flags = mode == kWrite ? O_WRONLY | O_CREAT | O_TRUNC : O_RDWR | O_CREAT | O_TRUNC;
  const int fd = open(name_, flags | O_CLOEXEC, 0666);
  if (fd < 0) return Fail(), kInvalidHandle;
  // A folder opens here but not on Windows: refuse it the same way.
  struct stat info;
  if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    lastError_ = EISDIR;
    close(fd);
    return kInvalidHandle;
  }
  return fd;
}

void FileClass::ReleaseHandle() { close(static_cast<int>(handle_)); }

int FileClass::Read(void* buffer, std::uint32_t count) {
  if (!isOpen_ || !buffer || count == 0) return 0;
  auto* bytes = static_cast<unsigned char*>(buffer);
  std::uint32_t done = 0;
  // read() may stop short of the request (a signal, a pipe); ReadFile on a disk file does
  // not, so keep going until the end of the file.
  while (done < count) {
    const ssize_t got = read(static_cast<int>(handle_), bytes + done, count - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return Fail();
    if (got == 0) {
      lastError_ = 0;  // the end of the file
      return 0;
    }
    done += static_cast<std::uint32_t>(got);
  }
  return 1;
}

int FileClass::Write(const void* buffer, std::uint32_t count) {
  if (!isOpen_ || !buffer || count == 0) return 0;
  const auto* bytes = static_cast<const unsigned char*>(buffer);
  std::uint32_t done = 0;
  while (done < count) {
    const ssize_t put = write(static_cast<int>(handle_), bytes + done, count - done);
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) return Fail();
    if (put == 0) {
      lastError_ = ENOSPC;
      return 0;
    }
    done += static_cast<std::uint32_t>(put);
  }
  return 1;
}

int FileClass::Flush() {
  if (!isOpen_) return 0;
  return fsync(static_cast<int>(handle_)) == 0 ? 1 : Fail();
}

std::uint64_t FileClass::GetSize() {
  if (!isOpen_) throw FileNotOpenError("FileClass::GetSize on a file that is not open");
  struct stat info;
  if (fstat(static_cast<int>(handle_), &info) != 0 || info.st_size < 0) return kUnknownSize;
  return static_cast<std::uint64_t>(info.st_size);
}

int FileClass::Seek(std::int32_t distance, int origin) {
  if (!isOpen_) throw FileNotOpenError("FileClass::Seek on a file that is not open");
  const int whence = origin == 0 ? SEEK_SET : origin == 1 ? SEEK_END : SEEK_CUR;
  lseek(static_cast<int>(handle_), distance, whence);
  return 1;
}
