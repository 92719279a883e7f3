#include "paths.h"

#include <windows.h>

#include "path_limits.h"

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
  folder.assign(path, length);
  const std::size_t lastBackslash = folder.find_last_of('\\');
  if (lastBackslash != std::string::npos) folder.resize(lastBackslash + 1);
  return true;
}

bool PathExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
