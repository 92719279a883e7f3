// Names for the rows of a parameterised test table, so that ctest lists
// "Table/IniLineRules.ParsesAsExpected/08_Key_Value" rather than the row's bytes.
#pragma once

#include <cctype>
#include <cstddef>
#include <string>

// "<index>_<words>": letters and digits of `words` kept, each run of anything else one '_',
// at most 40 characters of them. The index (two digits at least) keeps two rows whose words
// read alike apart and the list in table order.
inline std::string ReadableTestName(std::size_t index, const std::string& words) {
  std::string name = (index < 10 ? "0" : "") + std::to_string(index);
  std::string tail;
  for (const char c : words) {
    if (tail.size() >= 40) break;
    if (std::isalnum(static_cast<unsigned char>(c)))
      tail += c;
    else if (tail.empty() || tail.back() != '_')
      tail += '_';
  }
  while (!tail.empty() && tail.back() == '_') tail.pop_back();
  if (!tail.empty() && tail.front() == '_') tail.erase(0, 1);
  return tail.empty() ? name : name + "_" + tail;
}
