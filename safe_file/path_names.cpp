#include "path_names.h"

std::size_t FileNameStart(std::string_view path) {
  const std::size_t separator = path.find_last_of("\\/");
  return separator == std::string_view::npos ? 0 : separator + 1;
}

std::string FileNameOfPath(std::string_view path) { return std::string(path.substr(FileNameStart(path))); }

std::string FolderOfPath(std::string_view path) { return std::string(path.substr(0, FileNameStart(path))); }
