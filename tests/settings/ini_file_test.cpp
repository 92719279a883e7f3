#include "ini_file.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "fifo_guard.h"
#include "temp_folder.h"

namespace {

using namespace std::string_literals;

// The value of (section, key) as a string, or "<missing>".
std::string ValueOf(const IniFile& ini, const char* section, const char* key) {
  char buffer[8192];
  return ini.GetString(section, key, buffer, sizeof buffer - 1) ? std::string(buffer) : "<missing>";
}

std::vector<std::string> KeysOf(const IniFile& ini, const char* section) {
  std::vector<std::string> keys;
  for (int i = 0; i < ini.GetKeyCount(section); ++i) keys.emplace_back(ini.GetKeyName(section, i));
  return keys;
}

std::vector<std::string> SectionNames(const IniFile& ini) {
  std::vector<std::string> names;
  for (int i = 0; i < ini.GetSectionCount(); ++i) names.emplace_back(ini.GetSectionName(i));
  return names;
}

class IniFileTest : public testing::Test {
 protected:
  // Loads `text` as the whole file; the load must succeed.
  IniFile& LoadText(std::string_view text) {
    EXPECT_TRUE(ini_.SetFileName(folder_.Write("Settings.ini", text).c_str()));
    EXPECT_TRUE(ini_.Load());
    return ini_;
  }

  TempFolder folder_;
  IniFile ini_;
};

TEST_F(IniFileTest, ReadsSectionsAndEntriesInFileOrder) {
  LoadText("; catalogue\n[SymbolsList]\nb=Tank,tank.shp\na=Ship,ship.shp\n\n[CameosList]\nx=1\n");
  EXPECT_EQ(SectionNames(ini_), (std::vector<std::string>{"SymbolsList", "CameosList"}));
  EXPECT_EQ(KeysOf(ini_, "SymbolsList"), (std::vector<std::string>{"b", "a"}));
  EXPECT_EQ(ValueOf(ini_, "SymbolsList", "a"), "Ship,ship.shp");
  EXPECT_EQ(ValueOf(ini_, "CameosList", "x"), "1");
  EXPECT_EQ(ValueOf(ini_, "CameosList", "a"), "<missing>");
}

TEST_F(IniFileTest, NamesCompareExactly) {
  LoadText("[ SymbolsList ]\nKey=1\n[symbolslist]\nkey=2\n");
  EXPECT_TRUE(ini_.HasSection("SymbolsList"));
  EXPECT_EQ(ValueOf(ini_, "SymbolsList", "Key"), "1");
  EXPECT_EQ(ValueOf(ini_, "SymbolsList", "key"), "<missing>");
  EXPECT_EQ(ValueOf(ini_, "symbolslist", "key"), "2");
  EXPECT_FALSE(ini_.HasSection("SYMBOLSLIST"));
  EXPECT_FALSE(ini_.HasSection("SymbolsList "));
}

TEST_F(IniFileTest, FirstSectionOfANameWins) {
  LoadText("[S]\na=1\n[T]\n[S]\nb=2\nc=3\n");
  EXPECT_EQ(SectionNames(ini_), (std::vector<std::string>{"S", "T", "S"}));
  EXPECT_EQ(ini_.GetKeyCount("S"), 1);
  EXPECT_EQ(ValueOf(ini_, "S", "b"), "<missing>");
  EXPECT_EQ(ini_.GetKeyCount("T"), 0);
}

TEST_F(IniFileTest, FirstEqualKeyWins) {
  LoadText("[S]\nk=first\nk=second\n");
  EXPECT_EQ(KeysOf(ini_, "S"), (std::vector<std::string>{"k", "k"}));
  EXPECT_EQ(ValueOf(ini_, "S", "k"), "first");
}

TEST_F(IniFileTest, DropsEntriesBeforeTheFirstHeader) {
  LoadText("a=1\nb=2\n[S]\nc=3\n");
  EXPECT_EQ(ini_.GetSectionCount(), 1);
  EXPECT_EQ(KeysOf(ini_, "S"), (std::vector<std::string>{"c"}));
}

TEST_F(IniFileTest, ReadsLongLinesWholeAndLoneCrEndsALine) {
  // A long value is used whole; the tail of a long comment is no key; a lone CR ends a line.
  const std::string longValue(6000, 'x');
  LoadText("[S]\nA=" + longValue + "\n; " + std::string(5000, 'c') + "B=y\n[T]\rC=z\rD=w");
  EXPECT_EQ(KeysOf(ini_, "S"), (std::vector<std::string>{"A"}));
  EXPECT_EQ(ValueOf(ini_, "S", "A"), longValue);
  EXPECT_EQ(KeysOf(ini_, "T"), (std::vector<std::string>{"C", "D"}));
  EXPECT_EQ(ValueOf(ini_, "T", "C"), "z");
}

TEST_F(IniFileTest, CrLfAndLfFilesParseAlike) {
  LoadText("[S]\r\nName = x \r\nK=v\r\n[T]\r\n");
  EXPECT_EQ(SectionNames(ini_), (std::vector<std::string>{"S", "T"}));
  EXPECT_EQ(KeysOf(ini_, "S"), (std::vector<std::string>{"Name ", "K"}));
  EXPECT_EQ(ValueOf(ini_, "S", "Name "), " x");
  EXPECT_EQ(ValueOf(ini_, "S", "K"), "v");
}

TEST_F(IniFileTest, LastLineWithoutTerminatorCounts) {
  LoadText("[S]\nK=v");
  EXPECT_EQ(ValueOf(ini_, "S", "K"), "v");
}

TEST_F(IniFileTest, KeepsLongSectionNamesWhole) {
  const std::string name(300, 'n');
  LoadText("[" + name + "]\nK=v\n");
  EXPECT_EQ(SectionNames(ini_), (std::vector<std::string>{name}));
  EXPECT_EQ(ValueOf(ini_, name.c_str(), "K"), "v");
}

TEST_F(IniFileTest, NulBytesEndTheLineText) {
  LoadText("\0\n[S]\nA=b\0junk=x\nC=d\n\0"s);
  EXPECT_EQ(KeysOf(ini_, "S"), (std::vector<std::string>{"A", "C"}));
  EXPECT_EQ(ValueOf(ini_, "S", "A"), "b");
}

TEST_F(IniFileTest, EmptyOrHeaderlessFilesLoadWithNoSections) {
  for (const char* text : {"", "a=1\n; only a comment\n"}) {
    LoadText(text);
    EXPECT_EQ(ini_.GetSectionCount(), 0) << text;
    EXPECT_FALSE(ini_.HasSection("SymbolsList")) << text;
  }
}

TEST_F(IniFileTest, EachLoadStartsAfresh) {
  const std::string path = folder_.Write("Settings.ini", "[Old]\na=1\n");
  ASSERT_TRUE(ini_.SetFileName(path.c_str()));
  ASSERT_TRUE(ini_.Load());
  folder_.Write("Settings.ini", "[New]\nb=2\n");
  ASSERT_TRUE(ini_.Load());
  EXPECT_EQ(SectionNames(ini_), (std::vector<std::string>{"New"}));
}

TEST_F(IniFileTest, FailedLoadHoldsNoSections) {
  LoadText("[S]\na=1\n");
  ASSERT_TRUE(ini_.SetFileName(folder_.Path("missing.ini").c_str()));
  EXPECT_FALSE(ini_.Load());
  EXPECT_EQ(ini_.GetSectionCount(), 0);
  EXPECT_FALSE(ini_.HasSection("S"));

  ASSERT_TRUE(ini_.SetFileName(folder_.Folder().c_str()));
  EXPECT_FALSE(ini_.Load()) << "a folder is not a readable file";
}

TEST_F(IniFileTest, WithoutAFileNameEverythingIsEmpty) {
  IniFile fresh;
  EXPECT_FALSE(fresh.Load());

  LoadText("[S]\na=1\n");
  ini_.Clear();
  char buffer[8] = "keep";
  EXPECT_FALSE(ini_.HasSection("S"));
  EXPECT_EQ(ini_.GetKeyCount("S"), 0);
  EXPECT_EQ(ini_.GetKeyName("S", 0), nullptr);
  EXPECT_FALSE(ini_.GetString("S", "a", buffer, 7));
  EXPECT_STREQ(buffer, "keep");
  EXPECT_EQ(ini_.GetInt("S", "a", 9), 9);
  EXPECT_EQ(ini_.GetSectionCount(), 0);
  EXPECT_EQ(ini_.GetSectionName(0), nullptr);
  EXPECT_FALSE(ini_.Load());
}

TEST_F(IniFileTest, RefusesPathsLongerThanThePathLimit) {
  LoadText("[S]\na=1\n");
  const std::string longest(IniFile::kMaxPathLength, 'p');
  EXPECT_TRUE(ini_.SetFileName(longest.c_str()));

  LoadText("[S]\na=1\n");
  const std::string tooLong(IniFile::kMaxPathLength + 1, 'p');
  EXPECT_FALSE(ini_.SetFileName(tooLong.c_str()));
  EXPECT_FALSE(ini_.HasSection("S")) << "a refused name leaves no file set";
  EXPECT_FALSE(ini_.Load());
  EXPECT_FALSE(ini_.SetFileName(nullptr));

  IniFile constructed(tooLong.c_str());
  EXPECT_FALSE(constructed.Load());
}

TEST_F(IniFileTest, ConstructorWithPathSetsTheFileName) {
  IniFile ini(folder_.Write("a.ini", "[S]\n").c_str());
  EXPECT_TRUE(ini.Load());
  EXPECT_TRUE(ini.HasSection("S"));
}

TEST_F(IniFileTest, GetStringCopiesAtMostNCharactersAndATerminator) {
  LoadText("[S]\nk=abcdef\n");
  char buffer[8];
  std::memset(buffer, '#', sizeof buffer);
  ASSERT_TRUE(ini_.GetString("S", "k", buffer, 3));
  EXPECT_EQ(std::string(buffer, 5), "abc\0#"s);
  ASSERT_TRUE(ini_.GetString("S", "k", buffer, 0));
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_FALSE(ini_.GetString("S", "k", nullptr, 3));
}

TEST_F(IniFileTest, IndexLookupsRefuseOutOfRangeIndices) {
  LoadText("[S]\na=1\n");
  EXPECT_EQ(ini_.GetKeyName("S", -1), nullptr);
  EXPECT_EQ(ini_.GetKeyName("S", 1), nullptr);
  EXPECT_EQ(ini_.GetKeyName("T", 0), nullptr);
  EXPECT_EQ(ini_.GetSectionName(-1), nullptr);
  EXPECT_EQ(ini_.GetSectionName(1), nullptr);
  EXPECT_EQ(ini_.GetKeyCount(nullptr), 0);
}

TEST_F(IniFileTest, GetBoolAcceptsYesAndTrueInAnyCase) {
  LoadText("[S]\na=yes\nb=TRUE\nc=True\nd=no\ne=1\nf=yes please\n");
  EXPECT_TRUE(ini_.GetBool("S", "a", false));
  EXPECT_TRUE(ini_.GetBool("S", "b", false));
  EXPECT_TRUE(ini_.GetBool("S", "c", false));
  EXPECT_FALSE(ini_.GetBool("S", "d", true));
  EXPECT_FALSE(ini_.GetBool("S", "e", true));
  EXPECT_FALSE(ini_.GetBool("S", "f", true));
  EXPECT_TRUE(ini_.GetBool("S", "missing", true));
  EXPECT_FALSE(ini_.GetBool("S", "missing", false));
}

TEST_F(IniFileTest, GetIntReadsADecimalPrefix) {
  LoadText(
      "[S]\na=42\nb=\t-7x\nc=+5\nd=abc\ne=99999999999\nf=-99999999999\ng=-2147483648\nh=0x1F\n"
      "i=" +
      std::string(79, '0') + "12\n");
  const std::vector<std::pair<const char*, int>> cases = {{"a", 42},      {"b", -7},      {"c", 5},       {"d", 0},
                                                          {"e", INT_MAX}, {"f", INT_MIN}, {"g", INT_MIN}, {"h", 0},
                                                          {"i", 0},       {"missing", -3}};
  for (const auto& [key, expected] : cases) EXPECT_EQ(ini_.GetInt("S", key, -3), expected) << key;
}

#ifndef _WIN32
TEST(IniFile, AFifoAsSettingsIniIsRefusedWithoutWaiting) {
  TempFolder folder;
  const std::string fifo = folder.Path("Settings.ini");
  ASSERT_TRUE(MakeFifo(fifo));
  IniFile ini;
  ASSERT_TRUE(ini.SetFileName(fifo.c_str()));
  EXPECT_TRUE(ReturnsWithoutAWriter(fifo, [&] { EXPECT_FALSE(ini.Load()); }));
}
#endif

}  // namespace
