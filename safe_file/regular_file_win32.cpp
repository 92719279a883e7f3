#include <windows.h>

#include <cerrno>
#include <io.h>

#include "read_file.h"
#include "system_error.h"

namespace {

// Wine opens a FIFO without waiting and reports it as a pipe (the path tells it from nothing
// else there); a device such as NUL or COM1 is a character file.
bool IsDiskFile(HANDLE file) { return GetFileType(file) == FILE_TYPE_DISK; }

// While another run replaces a file, and while a scanner holds it, Windows and Wine refuse
// to open it for a moment: an open of a file (not a folder) refused so is tried again, for
// up to a second.
bool WorthAnotherTry(const std::string& path, int attempt) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attempt >= 50 || attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  Sleep(20);
  return true;
}

}  // namespace

ReadHandle OpenRegularFile(const std::string& path, ReadSharing sharing, std::string& reason, long& systemError) {
  systemError = 0;
  reason = FileTypeProblem(path);
  if (!reason.empty()) return kNoReadHandle;
  const DWORD share = sharing == ReadSharing::kExclusive ? 0 : FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; file == INVALID_HANDLE_VALUE; ++attempt) {
    file = CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) break;
    const DWORD code = GetLastError();
    if ((code != ERROR_ACCESS_DENIED && code != ERROR_SHARING_VIOLATION) || !WorthAnotherTry(path, attempt)) {
      systemError = static_cast<long>(code);
      reason = SystemErrorText(systemError);
      return kNoReadHandle;
    }
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
  std::FILE* stream = nullptr;
  for (int attempt = 0; !stream; ++attempt) {
    errno = 0;
    stream = std::fopen(path.c_str(), "rb");
    if (stream) break;
    const int code = errno ? errno : ENOENT;
    if (code != EACCES || !WorthAnotherTry(path, attempt)) {
      reason = ErrnoText(code);
      return nullptr;
    }
  }
  if (!IsDiskFile(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream))))) {
    std::fclose(stream);
    reason = "it is not a regular file";
    return nullptr;
  }
  return stream;
}
