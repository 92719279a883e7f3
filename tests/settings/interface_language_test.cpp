#include "interface_language.h"

#include <gtest/gtest.h>

#include <string>

TEST(InterfaceLanguage, WrittenFilesReadBackAndAnythingElseMeansChinese) {
  for (InterfaceLanguage language : {InterfaceLanguage::Chinese, InterfaceLanguage::English})
    EXPECT_EQ(ParseInterfaceLanguage(FormatInterfaceLanguage(language)), language);
  EXPECT_EQ(FormatInterfaceLanguage(InterfaceLanguage::English), "[Interface]\r\nLanguage=English\r\n");
  const struct {
    const char* text;
    InterfaceLanguage expected;
  } cases[] = {
      {"", InterfaceLanguage::Chinese},
      {"[interface]\nlanguage = english\n", InterfaceLanguage::Chinese},  // blanks belong to key and value
      {"[interface]\nlanguage=ENGLISH", InterfaceLanguage::English},
      {"Language=English\r\n", InterfaceLanguage::Chinese},  // outside the section
      {"[Other]\r\nLanguage=English\r\n", InterfaceLanguage::Chinese},
      {"[Interface]\r\nLanguage=Klingon\r\n", InterfaceLanguage::Chinese},
      {"[Interface]\r\nLanguage=English\r\nLanguage=Chinese\r\n", InterfaceLanguage::Chinese},
      {"\xFF\xFE[\0I\0", InterfaceLanguage::Chinese},  // a damaged file
  };
  for (const auto& c : cases) EXPECT_EQ(ParseInterfaceLanguage(c.text), c.expected) << c.text;
  std::string huge = FormatInterfaceLanguage(InterfaceLanguage::English);
  huge.append(kInterfaceSettingsMaxBytes, ' ');
  EXPECT_EQ(ParseInterfaceLanguage(huge), InterfaceLanguage::Chinese) << "not a file of ours";
  EXPECT_EQ(OtherLanguage(InterfaceLanguage::Chinese), InterfaceLanguage::English);
  EXPECT_EQ(OtherLanguage(InterfaceLanguage::English), InterfaceLanguage::Chinese);
}
