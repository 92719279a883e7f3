#include "ini_line.h"

#include <cctype>

namespace {

std::string_view TrimLeadingBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

std::string_view TrimTrailingBlanks(std::string_view text) {
  const std::size_t last = text.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

}  // namespace

IniLine ParseIniLine(std::string_view text) {
  IniLine line;
  // Keys and values are handed out as C strings, so a NUL ends the line's text; whatever
  // follows it up to the terminator is dropped.
  if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos) text = text.substr(0, nul);
  if (!text.empty() && text.back() == '\n') {
    text.remove_suffix(1);
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
  }
  text = TrimLeadingBlanks(text);
  if (const std::size_t comment = text.find(';'); comment != std::string_view::npos) text = text.substr(0, comment);
  text = TrimTrailingBlanks(text);

  if (text.size() >= 2 && text.front() == '[' && text.back() == ']') {
    line.isSection = true;
    line.sectionName = TrimTrailingBlanks(TrimLeadingBlanks(text.substr(1, text.size() - 2)));
  }

  const std::size_t equals = text.find('=');
  if (equals != std::string_view::npos && equals != 0 && equals != text.size() - 1 &&
      text.find('=', equals + 1) == std::string_view::npos) {
    line.isEntry = true;
    line.key = text.substr(0, equals < kIniMaxKeyLength ? equals : kIniMaxKeyLength);
    line.value = text.substr(equals + 1);
  }
  return line;
}

bool SameWordIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}
