#include "path_limits.h"

std::string PathLengthProblem(const std::string& path) {
  if (path.size() <= kMaxPathLength) return {};
#ifdef _WIN32
  const char* const who = "Windows";
#else
  const char* const who = "the system";
#endif
  return "the path is " + std::to_string(path.size()) + " characters long, more than the " +
         std::to_string(kMaxPathLength) + " " + who + " allows";
}
