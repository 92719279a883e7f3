#include "proposed_file_name.h"

#include <algorithm>
#include <cctype>

#include "path_names.h"

namespace {

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

std::string ProposedFileName(std::string_view lastPath, std::initializer_list<std::string_view> ownExtensions,
                             std::string_view defaultExtension) {
  const std::size_t nameStart = FileNameStart(lastPath);
  const std::size_t dot = lastPath.rfind('.');
  // A dot in a folder name or leading a name (".shp" alone) starts no extension.
  if (dot == std::string_view::npos || dot <= nameStart) return std::string(lastPath);
  const std::string_view extension = lastPath.substr(dot);
  for (std::string_view own : ownExtensions)
    if (SameText(extension, own)) return std::string(lastPath);
  return std::string(lastPath.substr(0, dot)) + std::string(defaultExtension);
}
