#include <cstdio>
#include <unistd.h>

#include "replace_file.h"

bool ReplaceFileWith(const std::string& temp, const std::string& target) {
  return std::rename(temp.c_str(), target.c_str()) == 0;
}

void RemoveFileQuietly(const std::string& path) { unlink(path.c_str()); }
