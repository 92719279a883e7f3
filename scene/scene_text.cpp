#include "scene_text.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "read_file.h"

namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool Refuse(std::string& error, int line, const std::string& message) {
  error = "line " + std::to_string(line) + ": " + message;
  return false;
}

// A short quotation of a line for a message: a line may be megabytes long.
std::string Quoted(std::string_view text) {
  constexpr std::size_t kShown = 60;
  return "'" + std::string(text.substr(0, kShown)) + (text.size() > kShown ? "..." : "") + "'";
}

// A name in a section (or a section's name, in section -1), compared in any case. The text
// lies in the file's bytes, which outlive the lookup.
struct Name {
  int section;
  std::string_view text;
};

struct NameHash {
  std::size_t operator()(const Name& name) const {
    std::size_t hash = 14695981039346656037ull ^ static_cast<std::size_t>(name.section + 1);
    for (const char c : name.text) hash = (hash ^ static_cast<unsigned char>(LowerAscii(c))) * 1099511628211ull;
    return hash;
  }
};

struct SameName {
  bool operator()(const Name& a, const Name& b) const {
    return a.section == b.section && SameIgnoringCase(a.text, b.text);
  }
};

}  // namespace

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

const SceneEntry* SceneSection::Find(const std::string& key) const {
  for (const SceneEntry& entry : entries)
    if (SameIgnoringCase(entry.key, key)) return &entry;
  return nullptr;
}

const SceneSection* SceneTextContent::Find(const std::string& name) const {
  for (const SceneSection& section : sections)
    if (SameIgnoringCase(section.name, name)) return &section;
  return nullptr;
}

bool ParseSceneText(const std::string& bytes, SceneTextContent& content, std::string& error) {
  content.sections.clear();
  const bool utf16 = bytes.size() >= 2 &&
                     ((bytes[0] == '\xFF' && bytes[1] == '\xFE') || (bytes[0] == '\xFE' && bytes[1] == '\xFF'));
  if (utf16) {
    error = "the file is UTF-16 text: save it as UTF-8";
    return false;
  }
  const std::string_view text(bytes);
  std::size_t at = text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
  int lineNumber = 0;
  // The line of every section and key so far, by name: a repeat is found at once however
  // many there are, so the whole file costs time in proportion to its length.
  std::unordered_map<Name, int, NameHash, SameName> lines;
  lines.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
  while (at < text.size()) {
    ++lineNumber;
    const std::size_t end = text.find_first_of("\r\n", at);
    std::string_view line = text.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
    at = end == std::string_view::npos ? text.size() : end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
    if (line.find('\0') != std::string_view::npos)
      return Refuse(error, lineNumber, "holds a NUL byte: the file is not UTF-8 text (save it as UTF-8)");
    line = TrimBlanks(line.substr(0, line.find(';')));
    if (line.empty()) continue;
    if (line.front() == '[') {
      if (line.back() != ']') return Refuse(error, lineNumber, Quoted(line) + " has no closing ']'");
      const std::string_view name = TrimBlanks(line.substr(1, line.size() - 2));
      if (const auto [earlier, fresh] = lines.emplace(Name{-1, name}, lineNumber); !fresh)
        return Refuse(error, lineNumber,
                      "section [" + std::string(name) + "] repeats the one of line " + std::to_string(earlier->second));
      content.sections.push_back({std::string(name), lineNumber, {}});
      continue;
    }
    // Other INI dialects comment with '#'; here that line would be a key or no entry at all.
    if (line.front() == '#') return Refuse(error, lineNumber, Quoted(line) + ": comments start with ';', not '#'");
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) return Refuse(error, lineNumber, Quoted(line) + " is not key=value");
    const std::string_view key = TrimBlanks(line.substr(0, equals));
    if (key.empty()) return Refuse(error, lineNumber, Quoted(line) + " has no key before '='");
    if (content.sections.empty())
      return Refuse(error, lineNumber, "key '" + std::string(key) + "' comes before any [section]");
    SceneSection& section = content.sections.back();
    const int sectionIndex = static_cast<int>(content.sections.size()) - 1;
    if (const auto [earlier, fresh] = lines.emplace(Name{sectionIndex, key}, lineNumber); !fresh)
      return Refuse(error, lineNumber,
                    "key '" + std::string(key) + "' repeats the one of line " + std::to_string(earlier->second) +
                        " in [" + section.name + "]");
    section.entries.push_back({std::string(key), std::string(TrimBlanks(line.substr(equals + 1))), lineNumber});
  }
  return true;
}

bool ReadSceneText(const std::string& path, SceneTextContent& content, std::string& error) {
  constexpr std::uint64_t kMaxSceneFileSize = 1 << 24;
  std::vector<std::uint8_t> bytes;
  std::string reason;
  if (!ReadFileContents(path, kMaxSceneFileSize, bytes, reason)) {
    error = "cannot read the scene file: " + reason;
    return false;
  }
  return ParseSceneText(std::string(bytes.begin(), bytes.end()), content, error);
}
