#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include "read_file.h"
#include "system_error.h"

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
  // Wine opens a FIFO without waiting and reports it as a pipe (the path above tells it
  // from nothing else); a device such as NUL or COM1 is a character file.
  if (GetFileType(file) != FILE_TYPE_DISK) {
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
  long ignored = 0;
  const ReadHandle handle = OpenRegularFile(path, ReadSharing::kShared, reason, ignored);
  if (handle == kNoReadHandle) return nullptr;
  const int descriptor = _open_osfhandle(handle, _O_RDONLY | _O_BINARY);
  if (descriptor == -1) {
    reason = "out of file descriptors";
    CloseReadHandle(handle);
    return nullptr;
  }
  std::FILE* stream = _fdopen(descriptor, "rb");
  if (!stream) {
    reason = ErrnoText(errno);
    _close(descriptor);  // closes the handle too
  }
  return stream;
}
