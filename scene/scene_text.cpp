#include "scene_text.h"

#include <cstdint>
#include <vector>

#include "read_file.h"

namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string TrimBlanks(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool Refuse(std::string& error, int line, const std::string& message) {
  error = "line " + std::to_string(line) + ": " + message;
  return false;
}

// A short quotation of a line for a message: a line may be megabytes long.
std::string Quoted(const std::string& text) {
  constexpr std::size_t kShown = 60;
  return "'" + (text.size() > kShown ? text.substr(0, kShown) + "..." : text) + "'";
}

}  // namespace

bool SameIgnoringCase(const std::string& a, const std::string& b) {
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
  const bool utf16 = bytes.size() >= 2 && ((bytes[0] == '\xFF' && bytes[1] == '\xFE') ||
                                           (bytes[0] == '\xFE' && bytes[1] == '\xFF'));
  if (utf16) {
    error = "the file is UTF-16 text: save it as UTF-8";
    return false;
  }
  std::size_t at = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  int lineNumber = 0;
  while (at < bytes.size()) {
    ++lineNumber;
    const std::size_t end = bytes.find_first_of("\r\n", at);
    std::string line = bytes.substr(at, end == std::string::npos ? std::string::npos : end - at);
    at = end == std::string::npos ? bytes.size() : end + (bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    if (line.find('\0') != std::string::npos)
      return Refuse(error, lineNumber, "holds a NUL byte: the file is not UTF-8 text (save it as UTF-8)");
    if (const auto comment = line.find(';'); comment != std::string::npos) line.erase(comment);
    line = TrimBlanks(line);
    if (line.empty()) continue;
    if (line.front() == '[') {
      if (line.back() != ']') return Refuse(error, lineNumber, Quoted(line) + " has no closing ']'");
      const std::string name = TrimBlanks(line.substr(1, line.size() - 2));
      if (const SceneSection* earlier = content.Find(name))
        return Refuse(error, lineNumber,
                      "section [" + name + "] repeats the one of line " + std::to_string(earlier->line));
      content.sections.push_back({name, lineNumber, {}});
      continue;
    }
    // Other INI dialects comment with '#'; here that line would be a key or no entry at all.
    if (line.front() == '#') return Refuse(error, lineNumber, Quoted(line) + ": comments start with ';', not '#'");
    const auto equals = line.find('=');
    if (equals == std::string::npos) return Refuse(error, lineNumber, Quoted(line) + " is not key=value");
    const std::string key = TrimBlanks(line.substr(0, equals));
    if (key.empty()) return Refuse(error, lineNumber, Quoted(line) + " has no key before '='");
    if (content.sections.empty()) return Refuse(error, lineNumber, "key '" + key + "' comes before any [section]");
    SceneSection& section = content.sections.back();
    if (const SceneEntry* earlier = section.Find(key))
      return Refuse(error, lineNumber,
                    "key '" + key + "' repeats the one of line " + std::to_string(earlier->line) + " in [" +
                        section.name + "]");
    section.entries.push_back({key, TrimBlanks(line.substr(equals + 1)), lineNumber});
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
