// ParseIniLine: what one line of an INI file declares.
//
// The format has no quoting, escapes or continuation lines. A line is, in this order: cut at
// its first NUL byte, stripped of its terminator (LF, or CR LF), of leading spaces, of
// everything from the first ';' on, and of trailing spaces. Only ' ' counts as a blank;
// a tab is an ordinary character. Then two independent tests apply:
//   section - first character '[' and last ']': the name is the text between them with
//             blanks trimmed (any length, possibly empty);
//   entry   - exactly one '=', neither first nor last: key = the text before it, cut to
//             kIniMaxKeyLength characters; value = the text after it. Blanks next to the
//             '=' are kept, so keys and values are never empty.
// A line may pass both ("[a=b]" is section "a=b" and entry "[a" = "b]") or neither.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

inline constexpr std::size_t kIniMaxKeyLength = 64;

struct IniLine {
  bool isSection = false;
  std::string sectionName;
  bool isEntry = false;
  std::string key;
  std::string value;
};

// Never fails: a line that is neither a header nor an entry comes back with both flags false.
IniLine ParseIniLine(std::string_view line);

// Section names, keys and words of values compare without regard to case (ASCII letters).
bool SameWordIgnoringCase(std::string_view a, std::string_view b);
