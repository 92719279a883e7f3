#include <windows.h>

#include <cerrno>
#include <io.h>

#include "read_file.h"
#include "system_error.h"

namespace {
// Wine opens a FIFO without waiting and reports it as a pipe (the path tells it from nothing
// else there); a device such as NUL or COM1 is a character file.
bool IsDiskFile(HANDLE file) { return GetFileType(file) == FILE_TYPE_DISK; }
}  // namespace

ReadHandle OpenRegularFile(const std::string& path, ReadSharing sharing, std::string& reason, long& systemError) {
  systemError = 0;
  reason = FileTypeProblem(path);
  if (!reason.empty()) return kNoReadHandle;
  const DWORD share = sharing == ReadSharing::kExclusive ? 0 : FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    systemError = static_cast<long>(GetLastError());
    reason = SystemErrorText(systemError);
    return kNoReadHandle;
  }
  if (!IsDiskFile(file)) {
    reason = "it is not a regular file";
    CloseHandle(file);
    return kNoReadHandle;
  }
  return reinterpret_cast<ReadHandle>(file);
}

void CloseReadHandle(ReadHandle handle) {
  if (handle != kNoReadHandle) CloseHandle(reinterpret_cast<HANDLE>(handle));
}

std::FILE* OpenRegularFileStream(const std::string& path, std::string& reason) {
  reason = FileTypeProblem(path);
  if (!reason.empty()) return nullptr;
  // Opened by the C library, whose words for a failure ("No such file or directory") the
  // messages use on every system, then checked by its handle.
  errno = 0;
  std::FILE* stream = std::fopen(path.c_str(), "rb");
  if (!stream) {
    reason = ErrnoText(errno ? errno : ENOENT);
    return nullptr;
  }
  if (!IsDiskFile(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream))))) {
    std::fclose(stream);
    reason = "it is not a regular file";
    return nullptr;
  }
  return stream;
}
