#include "recent_files.h"

#include <algorithm>
#include <cctype>

#include "path_names.h"
#include "user_settings.h"

namespace {

bool SameFile(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           const auto fold = [](char c) {
             return c == '/' ? '\\' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
           };
           return fold(x) == fold(y);
         });
}

// The root kept in front of a shortened path: "C:\" or "\\server\share\" (empty when the
// path has neither).
std::size_t RootLength(const std::string& path) {
  if (path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/')) return 3;
  if (path.rfind("\\\\", 0) == 0) {
    const std::size_t server = path.find('\\', 2);
    const std::size_t share = server == std::string::npos ? server : path.find('\\', server + 1);
    return share == std::string::npos ? 0 : share + 1;
  }
  return 0;
}

}  // namespace

void AddRecentFile(std::vector<std::string>& files, const std::string& path) {
  RemoveRecentFile(files, path);
  files.insert(files.begin(), path);
  if (files.size() > static_cast<std::size_t>(kMaxRecentFiles)) files.resize(kMaxRecentFiles);
}

void RemoveRecentFile(std::vector<std::string>& files, const std::string& path) {
  std::erase_if(files, [&](const std::string& file) { return SameFile(file, path); });
}

std::string ShortenedPath(const std::string& path, std::size_t maxLength) {
  if (path.size() <= maxLength) return path;
  const std::size_t nameStart = FileNameStart(path);
  const std::string root = path.substr(0, RootLength(path));
  // Whole trailing folders are added back while they fit after "root...\".
  std::size_t tail = nameStart;
  if (root.size() + 4 + (path.size() - tail) > maxLength) return path.substr(nameStart);
  while (tail > root.size()) {
    const std::size_t previous = path.find_last_of("\\/", tail - 2);
    if (previous == std::string::npos || previous + 1 <= root.size()) break;
    if (root.size() + 4 + (path.size() - (previous + 1)) > maxLength) break;
    tail = previous + 1;
  }
  return root + "...\\" + path.substr(tail);
}

std::string RecentFileCaption(int index, const std::string& path) {
  std::string caption = "&";
  caption += std::to_string(index + 1);
  caption += ' ';
  for (char c : ShortenedPath(path, kRecentCaptionPathLength)) {
    caption += c;
    if (c == '&') caption += '&';
  }
  return caption;
}
