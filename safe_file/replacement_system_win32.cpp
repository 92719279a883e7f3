#include <windows.h>

#include "replacement_system.h"
#include "system_error.h"

namespace replacement_system {

namespace {
HANDLE AsHandle(Handle handle) { return reinterpret_cast<HANDLE>(handle); }

bool Failed(std::string& reason) {
  reason = LastSystemErrorText();
  return false;
}
}  // namespace

bool CreateNew(const std::string& path, Handle& handle, std::string& reason) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return Failed(reason);
  handle = reinterpret_cast<Handle>(file);
  return true;
}

bool WriteAll(Handle handle, const void* data, std::size_t size, std::string& reason) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  while (size > 0) {
    const DWORD part = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
    DWORD put = 0;
    if (!WriteFile(AsHandle(handle), bytes, part, &put, nullptr)) return Failed(reason);
    if (put == 0) {
      SetLastError(ERROR_DISK_FULL);
      return Failed(reason);
    }
    bytes += put;
    size -= put;
  }
  return true;
}

bool FlushAndClose(Handle handle, std::string& reason) {
  if (!FlushFileBuffers(AsHandle(handle))) {
    Failed(reason);
    CloseHandle(AsHandle(handle));
    return false;
  }
  return CloseHandle(AsHandle(handle)) || Failed(reason);
}

void Close(Handle handle) { CloseHandle(AsHandle(handle)); }

bool MoveOver(const std::string& from, const std::string& to, std::string& reason) {
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) || Failed(reason);
}

bool MoveOverKeepingBackup(const std::string& from, const std::string& to, const std::string& backup,
                           std::string& reason, const std::function<void()>& step) {
  // ReplaceFile keeps the target's name present while it swaps the content, and leaves the
  // old content under the backup name.
  if (ReplaceFileA(to.c_str(), from.c_str(), backup.c_str(), REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
    if (step) step();
    return true;
  }
  const DWORD code = GetLastError();
  Failed(reason);
  // The one failure after which the old content is only at the backup name: put it back.
  if (code == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) MoveFileExA(backup.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING);
  return false;
}

void RemoveQuietly(const std::string& path) { DeleteFileA(path.c_str()); }

void SyncFolder(const std::string&) {}

}  // namespace replacement_system
