#include "ini_line.h"

#include <gtest/gtest.h>

#include <string>

#include "readable_test_name.h"

namespace {

using namespace std::string_literals;

struct LineCase {
  std::string line;
  bool isSection;
  std::string sectionName;
  bool isEntry;
  std::string key;
  std::string value;
};

class IniLineRules : public testing::TestWithParam<LineCase> {};

TEST_P(IniLineRules, ParsesAsExpected) {
  const LineCase& expected = GetParam();
  const IniLine line = ParseIniLine(expected.line);
  EXPECT_EQ(line.isSection, expected.isSection);
  EXPECT_EQ(line.sectionName, expected.sectionName);
  EXPECT_EQ(line.isEntry, expected.isEntry);
  EXPECT_EQ(line.key, expected.key);
  EXPECT_EQ(line.value, expected.value);
}

const std::string kKey70(70, 'k');

INSTANTIATE_TEST_SUITE_P(
    Table, IniLineRules,
    testing::Values(
        // Section headers.
        LineCase{"[SymbolsList]\n", true, "SymbolsList", false, "", ""},
        LineCase{"[ SymbolsList ]\r\n", true, "SymbolsList", false, "", ""},
        LineCase{"   [A]   ; note\n", true, "A", false, "", ""}, LineCase{"[]", true, "", false, "", ""},
        LineCase{"[ \t ]", true, "\t", false, "", ""}, LineCase{"[", false, "", false, "", ""},
        LineCase{"\t[A]", false, "", false, "", ""}, LineCase{"[A] x", false, "", false, "", ""},
        // Entries.
        LineCase{"Key=Value\n", false, "", true, "Key", "Value"},
        LineCase{"Key=Value;note", false, "", true, "Key", "Value"},
        LineCase{"Name = x  \r\n", false, "", true, "Name ", " x"}, LineCase{"\tKey=V", false, "", true, "\tKey", "V"},
        LineCase{"Key=Value\r", false, "", true, "Key", "Value\r"},
        LineCase{kKey70 + "=v", false, "", true, kKey70.substr(0, 64), "v"},
        LineCase{"K=" + std::string(5000, 'v'), false, "", true, "K", std::string(5000, 'v')},
        // Lines that are nothing.
        LineCase{"Key=", false, "", false, "", ""}, LineCase{"=Value", false, "", false, "", ""},
        LineCase{"A=B=C", false, "", false, "", ""}, LineCase{"Key= ;x", false, "", false, "", ""},
        LineCase{"; Key=Value", false, "", false, "", ""}, LineCase{"plain text", false, "", false, "", ""},
        LineCase{"\n", false, "", false, "", ""}, LineCase{"", false, "", false, "", ""},
        // Both at once.
        LineCase{"[a=b]", true, "a=b", true, "[a", "b]"},
        // A NUL ends the line's text.
        LineCase{"a=b\0c=d\n"s, false, "", true, "a", "b"}, LineCase{"\0a=b\n"s, false, "", false, "", ""},
        LineCase{"[S\0]\n"s, false, "", false, "", ""}),
    [](const testing::TestParamInfo<LineCase>& info) {
      const LineCase& c = info.param;
      const std::string kind = c.isSection && c.isEntry ? "both "
                               : c.isSection            ? "section "
                               : c.isEntry              ? "entry "
                                                        : "nothing ";
      return ReadableTestName(info.index, kind + c.line);
    });

}  // namespace
