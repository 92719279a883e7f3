#include <windows.h>

#include "command_line.h"
#include "path_names.h"

std::string ExecutableDirectory() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return ".\\";
  const std::string folder = FolderOfPath(std::string_view(path, length));
  return folder.empty() ? ".\\" : folder;
}
