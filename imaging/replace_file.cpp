#include "replace_file.h"

#include <atomic>
#include <chrono>
#include <cstdio>

std::string FileExtension(const std::string& path) {
  const auto slash = path.find_last_of("/\\");
  const auto dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  return path.substr(dot);
}

std::string TempPathBeside(const std::string& target, const std::string& extension) {
  static std::atomic<unsigned> counter{0};
  const auto ticks = static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
  char tag[48];
  std::snprintf(tag, sizeof tag, ".~%llx%x", ticks & 0xFFFFFFFFFFull, counter++);
  return target + tag + extension;
}
