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
  // While another program has the target open (a run reading it before its own turn, an
  // indexer, a virus scanner), Windows and Wine refuse to replace it: try again for up to a
  // second. A folder or a read-only file in the way is refused at once.
  for (int attempt = 0;; ++attempt) {
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    const DWORD code = GetLastError();
    const DWORD target = GetFileAttributesA(to.c_str());
    const bool plainFile = target != INVALID_FILE_ATTRIBUTES &&
                           !(target & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY));
    if (attempt == 50 || !plainFile || (code != ERROR_ACCESS_DENIED && code != ERROR_SHARING_VIOLATION)) {
      SetLastError(code);
      return Failed(reason);
    }
    Sleep(20);
  }
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

unsigned long CurrentProcessId() { return GetCurrentProcessId(); }

bool ProcessIsRunning(unsigned long processId) {
  if (processId == 0) return false;
  const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (!process) return GetLastError() == ERROR_ACCESS_DENIED;
  DWORD code = 0;
  const bool running = !GetExitCodeProcess(process, &code) || code == STILL_ACTIVE;
  CloseHandle(process);
  return running;
}

Handle LockFolderOf(const std::string& target, const std::string&) {
  // A lock file opened by one process at a time, which the system deletes when its handle
  // closes, also when the process is killed. Others wait for it for up to a minute.
  const std::string path = target + ".~lock";
  for (int attempt = 0; attempt < 12000; ++attempt) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file != INVALID_HANDLE_VALUE) return reinterpret_cast<Handle>(file);
    const DWORD code = GetLastError();
    // Held by another run, or still being deleted after it let go.
    if (code != ERROR_SHARING_VIOLATION && code != ERROR_ACCESS_DENIED) return kNoHandle;
    Sleep(5);
  }
  return kNoHandle;
}

void Unlock(Handle lock) {
  if (lock != kNoHandle) CloseHandle(AsHandle(lock));
}

}  // namespace replacement_system
