// The table of texts: every text is there in both languages with the same values named,
// and values are filled, nested texts in the same language.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "interface_texts.h"

namespace {

std::set<std::string> Placeholders(std::string_view text) {
  std::set<std::string> names;
  for (std::size_t open = text.find('{'); open != std::string_view::npos; open = text.find('{', open + 1)) {
    const std::size_t close = text.find('}', open);
    if (close != std::string_view::npos) names.insert(std::string(text.substr(open + 1, close - open - 1)));
  }
  return names;
}

TEST(InterfaceTexts, BothLanguagesHaveEveryTextWithTheSameValues) {
  for (int i = 0; i < static_cast<int>(Text::Count); ++i) {
    const auto text = static_cast<Text>(i);
    const std::string_view chinese = TextTemplate(text, InterfaceLanguage::Chinese);
    const std::string_view english = TextTemplate(text, InterfaceLanguage::English);
    EXPECT_FALSE(chinese.empty()) << "text " << i;
    EXPECT_FALSE(english.empty()) << "text " << i;
    EXPECT_EQ(Placeholders(chinese), Placeholders(english)) << "text " << i;
  }
}

TEST(InterfaceTexts, FillsValuesAndNestedTexts) {
  const TextLine line{{Text::CloseQuestion, {{"screen", Text::Untitled}}}};
  EXPECT_EQ(Utf8Line(line, InterfaceLanguage::English), "Save changes to Untitled?");
  EXPECT_EQ(Utf8Line(line, InterfaceLanguage::Chinese), "保存对 未命名 的更改吗?");
  const TextLine saved{{Text::SavedFiles, {{"first", "a.shp"}, {"second", "a.pal"}}},
                       {Text::SavedColours, {{"count", "16"}}},
                       {Text::Index0Pixel, {{"count", "1"}}}};
  EXPECT_EQ(Utf8Line(saved, InterfaceLanguage::English),
            "Saved a.shp and a.pal (16 colours) 1 pixel uses palette entry 0, which the games draw transparent.");
  EXPECT_EQ(Utf8Line(saved, InterfaceLanguage::Chinese),
            "已保存 a.shp 和 a.pal (16 色) 有 1 个像素用了调色板第 0 项, 游戏会把它画成透明。");
}

TEST(InterfaceTexts, UnknownBracesAndValuesWithBracesStayAsTheyAre) {
  EXPECT_EQ(FillValues<std::string>("{a} {b} {", {{"a", "{b}"}}), "{b} {b} {");
  const TextLine line{{Text::Verbatim, {{"text", "C:\\{x}.ini: no such file"}}}};
  EXPECT_EQ(Utf8Line(line, InterfaceLanguage::English), "C:\\{x}.ini: no such file");
}

TEST(InterfaceTexts, FiltersKeepTheirSeparators) {
  const std::string_view filter = TextTemplate(Text::SceneFilter, InterfaceLanguage::English);
  EXPECT_EQ(filter, std::string_view("Scene files (*.ini)\0*.ini\0All files (*.*)\0*.*\0", 46));
}

}  // namespace
