#include <windows.h>

#include "command_line.h"

std::string ExecutableDirectory() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return ".\\";
  const std::string text(path, length);
  const auto slash = text.find_last_of("\\/");
  return slash == std::string::npos ? ".\\" : text.substr(0, slash + 1);
}
