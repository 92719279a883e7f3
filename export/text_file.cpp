#include "text_file.h"

#include <cstdint>

#include "file_class.h"

bool ReadTextFile(const char* path, std::string& text, std::size_t limit) {
  text.clear();
  FileClass file;
  if (!file.SetName(path) || !file.Open(FileClass::kRead)) return false;
  // The size is 64 bits wide and unknown when the system cannot tell it: never size a
  // buffer from a failed query.
  const std::uint64_t size = file.GetSize();
  if (size == FileClass::kUnknownSize) return false;
  std::uint64_t count = size < limit ? size : limit;
  if (count > UINT32_MAX) count = UINT32_MAX;
  if (count == 0) return true;
  std::string bytes(static_cast<std::size_t>(count), '\0');
  if (!file.Read(bytes.data(), static_cast<std::uint32_t>(count))) return false;
  text = std::move(bytes);
  return true;
}

std::string WithCrLfLineBreaks(const std::string& text) {
  std::string result;
  result.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size() && text[i] != '\0'; ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) result += '\r';
    result += text[i];
  }
  return result;
}
