#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "replace_file.h"

namespace {
int lastReplaceError = 0;
}

bool ReplaceFileWith(const std::string& temp, const std::string& target) {
  if (std::rename(temp.c_str(), target.c_str()) == 0) return true;
  lastReplaceError = errno;
  return false;
}

std::string LastReplaceErrorText() { return std::strerror(lastReplaceError); }

bool PathExists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

bool PathIsFolder(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

void RemoveFileQuietly(const std::string& path) { unlink(path.c_str()); }
