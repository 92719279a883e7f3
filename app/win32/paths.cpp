#include "paths.h"

#include <windows.h>

#include "path_limits.h"
#include "path_names.h"

std::string FullPathOf(const std::string& path) {
  char full[kPathBufferSize];
  const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  return length > 0 && length < sizeof full ? std::string(full, length) : path;
}

bool ProgramFolder(std::string& folder) {
  char path[kPathBufferSize];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  // A path that fills the whole buffer was cut off.
  if (length == 0 || length >= sizeof path) return false;
  folder = FolderOfPath(std::string_view(path, length));
  // Without a folder (never seen) the text is kept whole.
  if (folder.empty()) folder.assign(path, length);
  return true;
}

bool PathExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
