#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "read_file.h"
#include "system_error.h"

ReadHandle OpenRegularFile(const std::string& path, ReadSharing, std::string& reason, long& systemError) {
  systemError = 0;
  reason = FileTypeProblem(path);
  if (!reason.empty()) return kNoReadHandle;
  // O_NONBLOCK: a FIFO put in place since the look above opens at once instead of waiting
  // for a writer, and is refused below. A regular file reads the same either way, but the
  // flag is taken off again for whoever reads the descriptor.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    systemError = errno;
    reason = ErrnoText(errno);
    return kNoReadHandle;
  }
  struct stat status {};
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    reason = S_ISDIR(status.st_mode) ? "it is a folder" : "it is not a regular file";
    close(fd);
    return kNoReadHandle;
  }
  const int flags = fcntl(fd, F_GETFL);
  if (flags != -1) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  return fd;
}

void CloseReadHandle(ReadHandle handle) {
  if (handle != kNoReadHandle) close(static_cast<int>(handle));
}

std::FILE* OpenRegularFileStream(const std::string& path, std::string& reason) {
  long ignored = 0;
  const ReadHandle handle = OpenRegularFile(path, ReadSharing::kShared, reason, ignored);
  if (handle == kNoReadHandle) return nullptr;
  std::FILE* stream = fdopen(static_cast<int>(handle), "rb");
  if (!stream) {
    reason = ErrnoText(errno);
    CloseReadHandle(handle);
  }
  return stream;
}
