#include "mission_file_edit.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "ini_line.h"

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// A CR that does not end a line (one more before the CR LF, or one ending the file's last
// line) is trimmed as the game trims white space.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::size_t SkipBlanks(std::string_view text, std::size_t at, std::size_t end) {
  while (at < end && IsBlank(text[at])) ++at;
  return at;
}

std::size_t TrimBlanksBack(std::string_view text, std::size_t begin, std::size_t end) {
  while (end > begin && IsBlank(text[end - 1])) --end;
  return end;
}

// The first of `characters` in text[from, to), or `to`: a search never runs past the line.
std::size_t FindIn(std::string_view text, std::string_view characters, std::size_t from, std::size_t to) {
  const std::size_t at = text.substr(0, to).find_first_of(characters, from);
  return at == std::string_view::npos ? to : at;
}

// One line: its text is [begin, contentEnd), its end (LF, CR LF, or nothing at the file's
// end) runs to `end`.
struct Line {
  std::size_t begin = 0, contentEnd = 0, end = 0;
  bool terminated = false;  // by an LF; only the file's last line may lack one
};

std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> lines;
  std::size_t at = text.substr(0, kUtf8Bom.size()) == kUtf8Bom ? kUtf8Bom.size() : 0;
  while (at < text.size()) {
    Line line;
    line.begin = at;
    const std::size_t lf = text.find('\n', at);
    line.end = lf == std::string_view::npos ? text.size() : lf + 1;
    line.contentEnd = lf == std::string_view::npos ? text.size() : lf;
    line.terminated = lf != std::string_view::npos;
    if (line.contentEnd > line.begin && text[line.contentEnd - 1] == '\r') --line.contentEnd;
    lines.push_back(line);
    at = line.end;
  }
  return lines;
}

// The end of the file's first ended line, for the lines we add.
std::string LineEndOf(std::string_view text) {
  const std::size_t lf = text.find('\n');
  if (lf == std::string_view::npos) return "\r\n";
  return lf > 0 && text[lf - 1] == '\r' ? "\r\n" : "\n";
}

// Bytes to put in place of text[at, at + erase).
struct Change {
  std::size_t at = 0, erase = 0;
  std::string insert;
};

}  // namespace

std::string NotIniTextProblem(std::string_view bytes) {
  if (bytes.size() >= 2 && ((bytes[0] == '\xFF' && bytes[1] == '\xFE') || (bytes[0] == '\xFE' && bytes[1] == '\xFF')))
    return "it is UTF-16 text; save it as ANSI or UTF-8 text";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte >= 0x20 || byte == '\t' || byte == '\n' || byte == '\v' || byte == '\f' || byte == '\r' || byte == 0x1A)
      continue;
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", byte);
    return std::string("it is not INI text: byte ") + hex + " at offset " + std::to_string(i) +
           (byte == 0 ? " (a binary file or UTF-16 text)" : " (a binary file)");
  }
  return {};
}

bool SetMissionKeys(std::string_view text, const MissionKeys& keys, MissionEdit& edit, std::string& error) {
  if (error = NotIniTextProblem(text); !error.empty()) return false;
  const std::vector<Line> lines = SplitLines(text);
  const std::string lineEnd = LineEndOf(text);

  std::vector<Change> changes;
  std::vector<bool> found(keys.entries.size(), false);
  MissionEdit result;
  bool inSection = false, seenSection = false, firstInstance = false;
  const Line* insertAfter = nullptr;  // the last entry (or the header) of the first instance
  for (const Line& line : lines) {
    const std::size_t start = SkipBlanks(text, line.begin, line.contentEnd);
    if (start < line.contentEnd && text[start] == '[') {
      const std::size_t close = FindIn(text, "];", start + 1, line.contentEnd);
      const std::size_t nameBegin = SkipBlanks(text, start + 1, close);
      const std::string_view name = text.substr(nameBegin, TrimBlanksBack(text, nameBegin, close) - nameBegin);
      inSection = SameWordIgnoringCase(name, keys.section);
      firstInstance = inSection && !seenSection;
      if (firstInstance) insertAfter = &line;
      seenSection = seenSection || inSection;
      continue;
    }
    if (!inSection) continue;
    const std::size_t valueEnd = FindIn(text, ";", start, line.contentEnd);
    const std::size_t equals = FindIn(text, "=", start, valueEnd);
    if (equals == valueEnd) continue;
    const std::string_view key = text.substr(start, TrimBlanksBack(text, start, equals) - start);
    if (key.empty()) continue;
    if (firstInstance) insertAfter = &line;
    for (std::size_t k = 0; k < keys.entries.size(); ++k) {
      if (!SameWordIgnoringCase(key, keys.entries[k].key)) continue;
      found[k] = true;
      const std::size_t valueBegin = SkipBlanks(text, equals + 1, valueEnd);
      const std::size_t end = TrimBlanksBack(text, valueBegin, valueEnd);
      const std::string& value = keys.entries[k].value;
      if (text.substr(valueBegin, end - valueBegin) == value) break;
      // An empty value gets the new one right after the '=', before any blanks.
      if (valueBegin == end)
        changes.push_back({equals + 1, 0, value});
      else
        changes.push_back({valueBegin, end - valueBegin, value});
      ++result.keysChanged;
      break;
    }
  }

  std::string added;
  for (std::size_t k = 0; k < keys.entries.size(); ++k)
    if (!found[k]) added += keys.entries[k].key + "=" + keys.entries[k].value + lineEnd;
  if (insertAfter && !added.empty()) {
    if (!insertAfter->terminated) added.insert(0, lineEnd);
    changes.push_back({insertAfter->end, 0, added});
    result.keysAdded = static_cast<int>(std::count(found.begin(), found.end(), false));
  } else if (!insertAfter) {
    // The last line ended, then a blank line before the new section unless the file has
    // no lines or ends in a blank one.
    std::string tail;
    if (!lines.empty()) {
      if (!lines.back().terminated) tail += lineEnd;
      if (lines.back().contentEnd > lines.back().begin || !lines.back().terminated) tail += lineEnd;
    }
    changes.push_back({text.size(), 0, tail + FormatMissionLines(keys, lineEnd)});
    result.sectionAdded = true;
  }

  std::sort(changes.begin(), changes.end(), [](const Change& a, const Change& b) { return a.at < b.at; });
  std::size_t at = 0;
  for (const Change& change : changes) {
    result.text.append(text.substr(at, change.at - at)).append(change.insert);
    at = change.at + change.erase;
  }
  result.text.append(text.substr(at));
  edit = std::move(result);
  return true;
}
