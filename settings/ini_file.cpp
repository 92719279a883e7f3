#include "ini_file.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>

#include "ini_chunk_reader.h"
#include "ini_line.h"
#include "read_file.h"

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Room for the 79 characters GetBool and GetInt look at.
constexpr std::size_t kShortValueLength = 79;

bool EqualsIgnoringCase(const char* text, const char* lowerCaseWord) {
  for (; *text != '\0' && *lowerCaseWord != '\0'; ++text, ++lowerCaseWord) {
    char c = *text;
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != *lowerCaseWord) return false;
  }
  return *text == '\0' && *lowerCaseWord == '\0';
}

bool IsWhiteSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// strtol's decimal reading, saturated to int so that the result does not depend on the
// width of long (32 bits on Windows, 64 on Linux).
int ParseDecimal(const char* text) {
  while (IsWhiteSpace(*text)) ++text;
  bool negative = false;
  if (*text == '+' || *text == '-') negative = *text++ == '-';
  long long magnitude = 0;
  const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
  for (; *text >= '0' && *text <= '9'; ++text) {
    magnitude = magnitude * 10 + (*text - '0');
    if (magnitude > limit) {
      magnitude = limit;
      break;
    }
  }
  return static_cast<int>(negative ? -magnitude : magnitude);
}

}  // namespace

IniFile::IniFile(const char* path) { SetFileName(path); }

bool IniFile::SetFileName(const char* path) {
  // Bounded scan: a path without a terminator within the limit is refused, never overrun.
  std::size_t length = 0;
  while (path != nullptr && length <= kMaxPathLength && path[length] != '\0') ++length;
  if (path == nullptr || length > kMaxPathLength) {
    filePath_.clear();
    fileSet_ = false;
    return false;
  }
  filePath_.assign(path, length);
  fileSet_ = true;
  return true;
}

bool IniFile::Load() {
  sections_.clear();
  if (!fileSet_) return false;
  std::string ignored;
  FileHandle file(OpenRegularFileStream(filePath_, ignored));
  if (!file) return false;

  IniChunkReader reader(file.get());
  IniSection* current = nullptr;
  std::string chunk;
  while (reader.Next(chunk)) {
    IniLine line = ParseIniLine(chunk);
    if (line.isSection) {
      // Every header opens a new section, also when the name repeats.
      sections_.push_back(IniSection{std::move(line.sectionName), {}, {}});
      current = &sections_.back();
    }
    if (line.isEntry && current != nullptr) {
      current->keys.push_back(std::move(line.key));
      current->values.push_back(std::move(line.value));
    }
  }
  if (reader.Failed()) {
    sections_.clear();
    return false;
  }
  return true;
}

void IniFile::Clear() {
  filePath_.clear();
  fileSet_ = false;
  sections_.clear();
}

const IniFile::IniSection* IniFile::FindSection(const char* name) const {
  if (!fileSet_ || name == nullptr) return nullptr;
  for (const IniSection& section : sections_)
    if (section.name == name) return &section;
  return nullptr;
}

bool IniFile::HasSection(const char* section) const { return FindSection(section) != nullptr; }

int IniFile::GetKeyCount(const char* section) const {
  const IniSection* found = FindSection(section);
  return found == nullptr ? 0 : static_cast<int>(found->keys.size());
}

const char* IniFile::GetKeyName(const char* section, int index) const {
  const IniSection* found = FindSection(section);
  if (found == nullptr || index < 0 || static_cast<std::size_t>(index) >= found->keys.size()) return nullptr;
  return found->keys[static_cast<std::size_t>(index)].c_str();
}

bool IniFile::GetString(const char* section, const char* key, char* destination, std::size_t maximumLength) const {
  const IniSection* found = FindSection(section);
  if (found == nullptr || key == nullptr || destination == nullptr) return false;
  for (std::size_t i = 0; i < found->keys.size(); ++i) {
    if (found->keys[i] != key) continue;
    const std::string& value = found->values[i];
    const std::size_t length = value.size() < maximumLength ? value.size() : maximumLength;
    std::memcpy(destination, value.data(), length);
    destination[length] = '\0';
    return true;
  }
  return false;
}

bool IniFile::GetBool(const char* section, const char* key, bool defaultValue) const {
  char value[kShortValueLength + 1];
  if (!GetString(section, key, value, kShortValueLength)) return defaultValue;
  return EqualsIgnoringCase(value, "yes") || EqualsIgnoringCase(value, "true");
}

int IniFile::GetInt(const char* section, const char* key, int defaultValue) const {
  char value[kShortValueLength + 1];
  if (!GetString(section, key, value, kShortValueLength)) return defaultValue;
  return ParseDecimal(value);
}

int IniFile::GetSectionCount() const { return fileSet_ ? static_cast<int>(sections_.size()) : 0; }

const char* IniFile::GetSectionName(int index) const {
  if (!fileSet_ || index < 0 || static_cast<std::size_t>(index) >= sections_.size()) return nullptr;
  return sections_[static_cast<std::size_t>(index)].name.c_str();
}
