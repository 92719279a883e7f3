#include "output_names.h"

#include <algorithm>
#include <cctype>

#include "path_names.h"

namespace {

// The extension of the file's name with its dot; empty for none (a dot in a folder or
// leading the name starts none).
std::string_view ExtensionOf(std::string_view path) {
  const std::size_t dot = path.rfind('.');
  return dot == std::string_view::npos || dot <= FileNameStart(path) ? std::string_view() : path.substr(dot);
}

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

std::string ProposedOutputPath(const ChosenOutput& last, const std::string& scenePath, std::string_view extension) {
  if (!last.path.empty() && last.scene == scenePath) return last.path;
  if (scenePath.empty()) return last.path;
  const std::string_view sceneExtension = ExtensionOf(scenePath);
  return scenePath.substr(0, scenePath.size() - sceneExtension.size()) + std::string(extension);
}

std::string ImageExtensionOf(std::string_view path) {
  static constexpr std::string_view kWritten[] = {".png", ".bmp", ".jpg", ".jpeg", ".tga", ".gif"};
  const std::string_view extension = ExtensionOf(path);
  for (std::string_view written : kWritten)
    if (SameText(extension, written)) return std::string(extension);
  return std::string(kDefaultImageExtension);
}
