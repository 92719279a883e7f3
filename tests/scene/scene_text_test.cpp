// The scene reader's text rules: every line read whole, every kind of line end, names in
// any case, and whatever it cannot take refused with the line it is on.
#include <gtest/gtest.h>

#include <string>

#include "scene_text.h"

namespace {

using namespace std::string_literals;

TEST(SceneText, ReadsWholeLinesInAnyCaseWithAnyLineEnd) {
  const std::string longValue(100000, 'v');
  const std::string text =
      "\xEF\xBB\xBF; written by hand\r\n[loadscreen]\rSide = Soviet\t\r\n"
      "; " +
      std::string(9000, 'c') +
      "Cameos=3\n"
      "Screenshot=" +
      longValue + "\n[MARKERS]\n1=a.png,Red,1,2 ; tail\n";
  SceneTextContent content;
  std::string error;
  ASSERT_TRUE(ParseSceneText(text, content, error)) << error;
  const SceneSection* screen = content.Find("LoadScreen");
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(screen->line, 2);
  ASSERT_NE(screen->Find("side"), nullptr);
  EXPECT_EQ(screen->Find("SIDE")->value, "Soviet");
  EXPECT_EQ(screen->Find("Cameos"), nullptr);  // the tail of a long comment is no key
  ASSERT_NE(screen->Find("Screenshot"), nullptr);
  EXPECT_EQ(screen->Find("Screenshot")->value, longValue);
  EXPECT_EQ(screen->Find("Screenshot")->line, 5);
  ASSERT_NE(content.Find("Markers"), nullptr);
  EXPECT_EQ(content.Find("Markers")->entries.at(0).value, "a.png,Red,1,2");
}

TEST(SceneText, RefusesWhatItCannotTakeNamingTheLines) {
  struct Case {
    std::string text;
    std::string error;
  };
  const Case cases[] = {
      {"[LoadScreen]\nSide=Allied\n\nside=Yuri\n", "line 4: key 'side' repeats the one of line 2 in [LoadScreen]"},
      {"[LoadScreen]\n[Markers]\r[loadscreen]\n", "line 3: section [loadscreen] repeats the one of line 1"},
      {"Side=Allied\n[LoadScreen]\n", "line 1: key 'Side' comes before any [section]"},
      {"[LoadScreen]\nSide Allied\n", "line 2: 'Side Allied' is not key=value"},
      {"[LoadScreen]\n=Allied\n", "line 2: '=Allied' has no key before '='"},
      {"[LoadScreen\n", "line 1: '[LoadScreen' has no closing ']'"},
      {"\xFF\xFE[\0L\0"s, "the file is UTF-16 text: save it as UTF-8"},
      {"\xFE\xFF\0[\0L"s, "the file is UTF-16 text: save it as UTF-8"},
      {"[LoadScreen]\nSide=A\0llied\n"s, "line 2: holds a NUL byte: the file is not UTF-8 text (save it as UTF-8)"},
  };
  for (const Case& c : cases) {
    SceneTextContent content;
    std::string error;
    EXPECT_FALSE(ParseSceneText(c.text, content, error)) << c.error;
    EXPECT_EQ(error, c.error);
  }
}

TEST(SceneText, TensOfThousandsOfKeysAndSectionsAreReadAndARepeatFound) {
  std::string keys = "[Markers]\n", sections;
  for (int i = 1; i <= 40000; ++i) {
    keys += "k" + std::to_string(i) + "=v\n";
    sections += "[s" + std::to_string(i) + "]\n";
  }
  SceneTextContent content;
  std::string error;
  ASSERT_TRUE(ParseSceneText(keys, content, error)) << error;
  EXPECT_EQ(content.sections.at(0).entries.size(), 40000u);
  ASSERT_TRUE(ParseSceneText(sections, content, error)) << error;
  EXPECT_EQ(content.sections.size(), 40000u);
  EXPECT_FALSE(ParseSceneText(keys + "K17=again\n", content, error));
  EXPECT_EQ(error, "line 40002: key 'K17' repeats the one of line 18 in [Markers]");
  EXPECT_FALSE(ParseSceneText(sections + "[S5]\n", content, error));
  EXPECT_EQ(error, "line 40001: section [S5] repeats the one of line 5");
}

}  // namespace
