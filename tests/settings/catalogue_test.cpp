#include "catalogue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "readable_test_name.h"
#include "temp_folder.h"

namespace {

struct SplitCase {
  std::string value;
  CatalogueKind kind;
  bool accepted;
  std::string displayName;
  std::string fileName;
};

class CatalogueSplit : public testing::TestWithParam<SplitCase> {};

TEST_P(CatalogueSplit, SplitsAsExpected) {
  const SplitCase& expected = GetParam();
  CatalogueEntry entry{"untouched", "untouched"};
  EXPECT_EQ(SplitCatalogueValue(expected.value.c_str(), expected.kind, entry), expected.accepted);
  EXPECT_EQ(entry.displayName, expected.accepted ? expected.displayName : "untouched");
  EXPECT_EQ(entry.fileName, expected.accepted ? expected.fileName : "untouched");
}

constexpr CatalogueKind kSymbols = CatalogueKind::Symbols;
constexpr CatalogueKind kCameos = CatalogueKind::Cameos;
const std::string kName250(250, 'n');

INSTANTIATE_TEST_SUITE_P(
    Table, CatalogueSplit,
    testing::Values(SplitCase{"Tank,tank.shp", kSymbols, true, "Tank", "tank.shp"},
                    SplitCase{",,Tank,,,tank.shp,extra,more", kSymbols, true, "Tank", "tank.shp"},
                    SplitCase{" Big Tank , tank.shp", kSymbols, true, " Big Tank ", " tank.shp"},
                    SplitCase{" Big Tank , tank.shp", kCameos, true, " Big Tank ", "tank.shp"},
                    SplitCase{"Tank,   ", kCameos, true, "Tank", ""}, SplitCase{"Tank", kSymbols, false, "", ""},
                    SplitCase{"Tank,,,", kSymbols, false, "", ""}, SplitCase{",Tank", kCameos, false, "", ""},
                    SplitCase{"", kSymbols, false, "", ""},
                    // Only 255 characters are read: 250 + comma leaves 4 of the file name.
                    SplitCase{kName250 + ",abcdefgh", kSymbols, true, kName250, "abcd"},
                    SplitCase{std::string(255, 'n') + ",x", kSymbols, false, "", ""}),
    [](const testing::TestParamInfo<SplitCase>& info) {
      const SplitCase& c = info.param;
      return ReadableTestName(info.index, std::string(c.kind == kSymbols ? "symbol " : "cameo ") + c.value);
    });

TEST(CatalogueSplitNull, RefusesNull) {
  CatalogueEntry entry;
  EXPECT_FALSE(SplitCatalogueValue(nullptr, kSymbols, entry));
}

std::vector<std::string> Describe(const std::vector<CatalogueEntry>& entries) {
  std::vector<std::string> lines;
  for (const CatalogueEntry& entry : entries) lines.push_back(entry.displayName + "|" + entry.fileName);
  return lines;
}

TEST(ReadCatalogue, ListsEntriesInFileOrderAsTheDialogsEnumerate) {
  TempFolder folder;
  IniFile ini(folder
                  .Write("Settings.ini",
                         "[SymbolsList]\n"
                         "1=Tank,tank.shp\n"
                         "2=Broken\n"
                         "3=Ship, ship.shp\n"
                         "1=Dup,dup.shp\n"
                         "[CameosList]\n"
                         "1=Spy, spy.shp\n")
                  .c_str());
  ASSERT_TRUE(ini.Load());
  // The repeated key 1 yields the first entry's value again.
  EXPECT_EQ(Describe(ReadCatalogue(ini, kSymbolsListSection, kSymbols)),
            (std::vector<std::string>{"Tank|tank.shp", "Ship| ship.shp", "Tank|tank.shp"}));
  EXPECT_EQ(Describe(ReadCatalogue(ini, kCameosListSection, kCameos)), (std::vector<std::string>{"Spy|spy.shp"}));
  EXPECT_TRUE(ReadCatalogue(ini, "Missing", kSymbols).empty());
}

TEST(LoadCatalogue, ReportsAMissingFileOrSection) {
  TempFolder folder;
  std::vector<CatalogueEntry> entries{{"stale", "stale"}};
  std::string message;

  EXPECT_FALSE(LoadCatalogue(folder.Path("Settings.ini").c_str(), kSymbolsListSection, kSymbols, entries, message));
  EXPECT_EQ(message, "Error: Can't find Settings.ini file in application directory!");
  EXPECT_TRUE(entries.empty());

  const std::string path = folder.Write("Settings.ini", "[CameosList]\n1=Spy,spy.shp\n");
  EXPECT_FALSE(LoadCatalogue(path.c_str(), kSymbolsListSection, kSymbols, entries, message));
  EXPECT_EQ(message, "Error: File Settings.ini invalid!");

  EXPECT_TRUE(LoadCatalogue(path.c_str(), kCameosListSection, kCameos, entries, message));
  EXPECT_EQ(Describe(entries), (std::vector<std::string>{"Spy|spy.shp"}));
  EXPECT_EQ(message, "");
}

}  // namespace
