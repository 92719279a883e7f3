// Setting the keys in a mission file on the disk: made when missing, refused and left as it
// is when it is no INI text, a folder, a special file or too large.
#include <gtest/gtest.h>

#include <filesystem>

#include "mission_file.h"
#include "temp_folder.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

const MissionKeys kKeys = MapLoadScreenKeys("ALL01UMD.MAP", {"A6.SHP", "A.SHP", "A.PAL"});

TEST(MissionFile, MadeWhenMissingEditedInPlaceAndLeftAloneWhenSet) {
  TempFolder folder;
  const std::string path = folder.Path("missionmd.ini");
  std::string error;
  ASSERT_TRUE(CheckMissionFile(path, kKeys, error)) << error;
  EXPECT_EQ(folder.Names(), std::set<std::string>{});  // a check writes nothing
  MissionFileOutcome outcome;
  ASSERT_TRUE(SetKeysInMissionFile(path, kKeys, outcome, error)) << error;
  EXPECT_TRUE(outcome.created);
  EXPECT_EQ(ReadWholeFile(path), FormatMissionLines(kKeys, "\r\n"));
  EXPECT_EQ(DescribeMissionFileOutcome(outcome, kKeys.section), "made, with [ALL01UMD.MAP]");

  folder.Write("missionmd.ini", "[ALL01UMD.MAP]\nLS800BkgdName=OLD.SHP\n");
  ASSERT_TRUE(SetKeysInMissionFile(path, kKeys, outcome, error)) << error;
  EXPECT_EQ(ReadWholeFile(path), "[ALL01UMD.MAP]\nLS800BkgdName=A.SHP\nLS640BkgdName=A6.SHP\nLS800BkgdPal=A.PAL\n");
  EXPECT_EQ(DescribeMissionFileOutcome(outcome, kKeys.section), "1 key changed, 2 keys added in [ALL01UMD.MAP]");
  ASSERT_TRUE(SetKeysInMissionFile(path, kKeys, outcome, error)) << error;
  EXPECT_EQ(DescribeMissionFileOutcome(outcome, kKeys.section), "[ALL01UMD.MAP] already holds these keys");
  EXPECT_EQ(folder.Names(), std::set<std::string>{"missionmd.ini"});  // no temporary left
}

TEST(MissionFile, HostileFilesAreRefusedAndKeptAsTheyAre) {
  TempFolder folder;
  struct Case {
    const char* name;
    std::string bytes;
    const char* why;
  };
  const Case cases[] = {
      {"utf16.ini", std::string("\xFF\xFE[\0A\0]\0\r\0\n\0", 12), "UTF-16"},
      {"shot.png", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16), "not INI text"},
  };
  for (const Case& c : cases) {
    const std::string path = folder.Write(c.name, c.bytes);
    std::string error;
    MissionFileOutcome outcome;
    EXPECT_FALSE(CheckMissionFile(path, kKeys, error));
    EXPECT_FALSE(SetKeysInMissionFile(path, kKeys, outcome, error));
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_NE(error.find(c.why), std::string::npos) << error;
    EXPECT_EQ(ReadWholeFile(path), c.bytes);
  }

  std::string error;
  MissionFileOutcome outcome;
  std::filesystem::create_directory(folder.Path("folder.ini"));
  EXPECT_FALSE(SetKeysInMissionFile(folder.Path("folder.ini"), kKeys, outcome, error));
  EXPECT_NE(error.find("folder"), std::string::npos) << error;
  EXPECT_FALSE(SetKeysInMissionFile(folder.Path("no/such/folder.ini"), kKeys, outcome, error));
  EXPECT_FALSE(std::filesystem::exists(folder.Path("no")));

  // Too large to be a mission file: refused from its size, not read.
  const std::string large = folder.Write("large.ini", "[A]\n");
  std::filesystem::resize_file(large, kMissionFileMaxBytes + 1);
  EXPECT_FALSE(SetKeysInMissionFile(large, kKeys, outcome, error));
  EXPECT_NE(error.find("larger"), std::string::npos) << error;
  EXPECT_EQ(std::filesystem::file_size(large), kMissionFileMaxBytes + 1);

  // Bad keys are refused before the file is looked at.
  EXPECT_FALSE(SetKeysInMissionFile(folder.Path("new.ini"), MapLoadScreenKeys("SOV01", {"A6.SHP", "A.SHP", "A.PAL"}),
                                    outcome, error));
  EXPECT_NE(error.find("ALL01UMD.MAP"), std::string::npos) << error;
  EXPECT_FALSE(std::filesystem::exists(folder.Path("new.ini")));

#ifndef _WIN32
  // A FIFO is refused without being opened, so without waiting for a writer.
  const std::string fifo = folder.Path("fifo.ini");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(CheckMissionFile(fifo, kKeys, error));
  EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
#endif
}

}  // namespace
