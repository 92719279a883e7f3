// The names a mission file's load screen keys may hold, and the lines printed for them.
#include <gtest/gtest.h>

#include "mission_keys.h"

namespace {

const LoadScreenNames kNames{"ALL01UM6.SHP", "ALL01UMD.SHP", "ALL01UMD.PAL"};

TEST(MissionKeys, MapNamesTheGameCannotReadAreRefusedWithAnExample) {
  for (const std::string& good : {std::string("ALL01UMD.MAP"), std::string("all01umd.map"),
                                  std::string("my campaign 1.map"), std::string("A.B"), std::string(59, 'M') + ".MAP"})
    EXPECT_EQ(MapNameProblem(good), "") << good;
  struct Bad {
    std::string map;
    const char* why;
  };
  for (const Bad& bad :
       {Bad{"SOV01", "has no extension"}, Bad{"SOV01.", "has no extension"}, Bad{".MAP", "has no extension"},
        Bad{"", "is empty"}, Bad{"A]B.MAP", "']'"}, Bad{"[A.MAP", "'['"}, Bad{"A=B.MAP", "'='"}, Bad{"A;B.MAP", "';'"},
        Bad{"A\tB.MAP", "control character"}, Bad{std::string("A\nB.MAP"), "control character"},
        Bad{"A\x7F.MAP", "control character"}, Bad{"\xC3\xA9.MAP", "plain ASCII"}, Bad{" A.MAP", "blank"},
        Bad{"A.MAP ", "blank"}, Bad{"maps/A.MAP", "folder"}, Bad{"C:A.MAP", "folder"},
        Bad{std::string(60, 'M').append(".MAP"), "64 characters"}}) {
    const std::string problem = MapNameProblem(bad.map);
    EXPECT_NE(problem.find(bad.why), std::string::npos) << bad.map << ": " << problem;
    EXPECT_NE(problem.find("such as ALL01UMD.MAP"), std::string::npos) << problem;
  }
}

TEST(MissionKeys, ValuesAreCheckedForTheEnginesBuffers) {
  EXPECT_EQ(MissionKeysProblem(MapLoadScreenKeys("ALL01UMD.MAP", kNames)), "");
  EXPECT_EQ(MissionKeysProblem(DefaultLoadScreenKeys(kNames)), "");
  LoadScreenNames names = kNames;
  names.ls800 = std::string(59, 'L') + ".SHP";  // 63 characters fit
  EXPECT_EQ(MissionKeysProblem(MapLoadScreenKeys("ALL01UMD.MAP", names)), "");
  names.ls800 = std::string(60, 'L') + ".SHP";
  EXPECT_NE(MissionKeysProblem(MapLoadScreenKeys("ALL01UMD.MAP", names)).find("LS800BkgdName=LLLL"), std::string::npos);
  for (const char* bad : {"", "A;B.PAL", "A=B.PAL", "A]B.PAL", "A\rB.PAL", " A.PAL"}) {
    names = kNames;
    names.palette = bad;
    const std::string problem = MissionKeysProblem(DefaultLoadScreenKeys(names));
    EXPECT_NE(problem.find("DefaultLS800BkgdPal="), std::string::npos) << bad << ": " << problem;
    EXPECT_NE(problem.find("such as SOV01.SHP"), std::string::npos) << problem;
  }
  EXPECT_NE(MissionKeysProblem(MapLoadScreenKeys("SOV01", kNames)).find("no extension"), std::string::npos);
}

TEST(MissionKeys, LinesNameTheSectionAndTheThreeKeys) {
  EXPECT_EQ(FormatMissionLines(MapLoadScreenKeys("ALL01UMD.MAP", kNames)),
            "[ALL01UMD.MAP]\nLS640BkgdName=ALL01UM6.SHP\nLS800BkgdName=ALL01UMD.SHP\nLS800BkgdPal=ALL01UMD.PAL\n");
  EXPECT_EQ(FormatMissionLines(DefaultLoadScreenKeys(kNames), "\r\n"),
            "[Defaults]\r\nDefaultLS640BkgdName=ALL01UM6.SHP\r\nDefaultLS800BkgdName=ALL01UMD.SHP\r\n"
            "DefaultLS800BkgdPal=ALL01UMD.PAL\r\n");
}

}  // namespace
