#include "user_settings.h"

#include <gtest/gtest.h>

#include <optional>

#include "recent_files.h"

namespace {

TEST(UserSettings, LanguageIsAChoiceOnlyWhenTheFileNamesOne) {
  EXPECT_FALSE(UserSettings::Parse("").Language());
  EXPECT_FALSE(UserSettings::Parse("[Interface]\r\nLanguage=Klingon\r\n").Language());
  EXPECT_FALSE(UserSettings::Parse("[Recent]\r\nFile1=C:\\a.ini\r\n").Language());
  EXPECT_EQ(UserSettings::Parse("[interface]\nlanguage = english \n").Language(), InterfaceLanguage::English);
  // The file an earlier version wrote reads as it did.
  EXPECT_EQ(UserSettings::Parse(FormatInterfaceLanguage(InterfaceLanguage::Chinese)).Language(),
            InterfaceLanguage::Chinese);
  EXPECT_FALSE(
      UserSettings::Parse(std::string(kUserSettingsMaxBytes + 1, '\n') + "[Interface]\nLanguage=English").Language());
}

TEST(UserSettings, RoundTripKeepsPathsWithIniCharactersAndUnknownKeys) {
  UserSettings settings =
      UserSettings::Parse("[Window]\r\nZoom=2\r\n; a comment\r\n[Interface]\r\nLanguage=English\r\n");
  const std::vector<std::string> files = {"C:\\My scenes; old\\a=b.ini", "D:\\x.ini"};
  settings.SetRecentFiles(files);
  settings.SetLanguage(InterfaceLanguage::Chinese);
  const UserSettings read = UserSettings::Parse(settings.Format());
  EXPECT_EQ(read.RecentFiles(), files);
  EXPECT_EQ(read.Language(), InterfaceLanguage::Chinese);
  EXPECT_EQ(read.Value("window", "zoom"), "2");
  // A shorter list leaves no stale entries behind; a path with a line break is not written.
  settings.SetRecentFiles({"C:\\only.ini", "C:\\bad\r\n[Interface]"});
  EXPECT_EQ(UserSettings::Parse(settings.Format()).RecentFiles(), std::vector<std::string>{"C:\\only.ini"});
}

// An entry is kept only when the text written for it reads back as the same entry: what a
// file holds after a save is what the settings held before it, and what was read is what a
// later save writes.
TEST(UserSettings, EntriesThatWouldNotReadBackAreDroppedOnReadAndOnWriteAlike) {
  const char* const kKeys[] = {"", " lead", "trail\t", "a=b", "a\rb", "[Other", ";comment", "Fine"};
  UserSettings settings;
  for (const char* key : kKeys) settings.SetValue("Window", key, "1");
  settings.SetValue("Window", "Broken", "a\nb");
  const UserSettings read = UserSettings::Parse(settings.Format());
  for (const char* key : kKeys) EXPECT_EQ(read.Value("Window", key), settings.Value("Window", key)) << key;
  EXPECT_EQ(settings.Value("Window", ""), std::nullopt);
  EXPECT_EQ(settings.Value("Window", "Broken"), std::nullopt);
  EXPECT_EQ(settings.Format(), "[Window]\r\nFine=1\r\n");

  const UserSettings parsed = UserSettings::Parse("[Window]\r\n=1\r\n \t=2\r\n[x=3\r\nZoom=2\r\n");
  EXPECT_EQ(parsed.Format(), "[Window]\r\nZoom=2\r\n");
  EXPECT_EQ(UserSettings::Parse(parsed.Format()).Format(), parsed.Format());
}

TEST(RecentFiles, NewestFirstWithoutDuplicatesAndAtMostEight) {
  std::vector<std::string> files;
  for (int i = 0; i < 10; ++i) AddRecentFile(files, "C:\\s\\" + std::to_string(i) + ".ini");
  ASSERT_EQ(files.size(), 8u);
  EXPECT_EQ(files.front(), "C:\\s\\9.ini");
  EXPECT_EQ(files.back(), "C:\\s\\2.ini");
  AddRecentFile(files, "c:/S/5.INI");  // the same file in other spelling moves to the front
  EXPECT_EQ(files.size(), 8u);
  EXPECT_EQ(files.front(), "c:/S/5.INI");
  EXPECT_EQ(std::count(files.begin(), files.end(), "C:\\s\\5.ini"), 0);
  RemoveRecentFile(files, "C:\\S\\9.ini");
  EXPECT_EQ(files.size(), 7u);
}

TEST(RecentFiles, CaptionsNumberShortenAndEscape) {
  EXPECT_EQ(RecentFileCaption(0, "C:\\scenes\\mission1.ini"), "&1 C:\\scenes\\mission1.ini");
  EXPECT_EQ(RecentFileCaption(7, "C:\\R&D\\a.ini"), "&8 C:\\R&&D\\a.ini");
  const std::string deep = "C:\\Users\\somebody\\Documents\\Load screens\\campaign\\mission1.ini";
  EXPECT_EQ(ShortenedPath(deep, 41), "C:\\...\\Load screens\\campaign\\mission1.ini");
  EXPECT_EQ(ShortenedPath(deep, 30), "C:\\...\\campaign\\mission1.ini");
  EXPECT_EQ(ShortenedPath(deep, 12), "mission1.ini");
  EXPECT_EQ(ShortenedPath("\\\\server\\share\\deep\\deeper\\x.ini", 24), "\\\\server\\share\\...\\x.ini");
  for (std::size_t limit = 12; limit < deep.size(); ++limit) EXPECT_LE(ShortenedPath(deep, limit).size(), limit);
}

}  // namespace
