// export into the game: the mission file's keys set in place in a hostile file, the 640 x 400
// member beside the 800 one, and the refusals that leave every file as it was.
#include <gtest/gtest.h>

#include <map>

#include "export_test_support.h"
#include "mix_name_id.h"
#include "run_tool.h"
#include "synthetic_screen.h"

namespace {

// The members of a MIX by id, read by the layout alone.
std::map<std::uint32_t, Bytes> Members(const std::string& path) {
  const Bytes mix = ReadBytes(path);
  std::map<std::uint32_t, Bytes> members;
  if (mix.size() < 10) return members;
  const std::size_t count = Le16(mix, 4), body = 10 + 12 * count;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t offset = Le32(mix, 14 + 12 * i), size = Le32(mix, 18 + 12 * i);
    if (body + offset + size > mix.size()) return {};
    members[Le32(mix, 10 + 12 * i)] = Bytes(mix.begin() + body + offset, mix.begin() + body + offset + size);
  }
  return members;
}

// A file's bytes exactly, line ends and all.
std::string Text(const std::string& path) {
  const Bytes bytes = ReadBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

const std::string kMissionBefore =
    "; load screens of our mod\r\n"
    "[Basic]\r\n"
    "Name=Tanya's Mod\r\n"
    "\r\n"
    "[ALL01UMD.MAP] ; first\r\n"
    "UIName=Mission:All01\r\n"
    "LS800BkgdName=OLD.SHP\r\n"
    "LSLoadMessage=LoadMsg:All01\r\n"
    "\r\n"
    "[SOV01UMD.MAP]\r\n"
    "LS640BkgdName=S6.SHP\r\n";

TEST(MissionTool, ExportSetsTheKeysInPlaceAndPacksThe640Picture) {
  ScratchFolder package, work;
  ASSERT_TRUE(synthetic::WritePackage(package.Folder()));
  const std::string scene = package.Write("sov01.ini", "[LoadScreen]\nSide=Allied\nCameos=2\n");
  const std::string mission = work.Write("missionmd.ini", kMissionBefore), mix = work.Path("mymod01.mix");
  ToolRun run = RunTool({"export", scene, "--mix", mix, "--colors", "64", "--mission", "ALL01UMD.MAP", "--mission-file",
                         mission, "--package", package.Folder()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(Text(mission),
            "; load screens of our mod\r\n"
            "[Basic]\r\n"
            "Name=Tanya's Mod\r\n"
            "\r\n"
            "[ALL01UMD.MAP] ; first\r\n"
            "UIName=Mission:All01\r\n"
            "LS800BkgdName=SOV01.SHP\r\n"
            "LSLoadMessage=LoadMsg:All01\r\n"
            "LS640BkgdName=SOV016.SHP\r\n"
            "LS800BkgdPal=SOV01.PAL\r\n"
            "\r\n"
            "[SOV01UMD.MAP]\r\n"
            "LS640BkgdName=S6.SHP\r\n");
  EXPECT_NE(run.out.find("missionmd.ini: 1 key changed, 2 keys added in [ALL01UMD.MAP]"), std::string::npos) << run.out;
  EXPECT_EQ(work.Names(), (std::set<std::string>{"missionmd.ini", "mymod01.mix"}));

  // The keys name members; the 800 ones are what a loose export writes, and the 640 one
  // is a 640 x 400 picture of entries of the 800 member's 64-colour palette.
  std::map<std::uint32_t, Bytes> members = Members(mix);
  ASSERT_EQ(members.size(), 4u);  // and the name list
  run = RunTool({"export", scene, "-o", work.Path("loose.shp"), "--palette", work.Path("loose.pal"), "--colors", "64",
                 "--ls640", work.Path("loose640.shp"), "--package", package.Folder()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(members[MixNameId("SOV01.SHP")], ReadBytes(work.Path("loose.shp")));
  EXPECT_EQ(members[MixNameId("SOV01.PAL")], ReadBytes(work.Path("loose.pal")));
  EXPECT_EQ(members[MixNameId("SOV016.SHP")], ReadBytes(work.Path("loose640.shp")));
  const Bytes& ls640 = members[MixNameId("SOV016.SHP")];
  ASSERT_EQ(ls640.size(), 32u + 640 * 400);
  EXPECT_EQ(Le16(ls640, 2), 640u);
  EXPECT_EQ(Le16(ls640, 4), 400u);
  EXPECT_EQ(Le16(ls640, 6), 1u);
  EXPECT_LT(*std::max_element(ls640.begin() + 32, ls640.end()), 64);
}

TEST(MissionTool, DefaultsLooseFilesAndRefusals) {
  ScratchFolder package, work;
  ASSERT_TRUE(synthetic::WritePackage(package.Folder()));
  const std::string scene = package.Write("sov01.ini", "[LoadScreen]\nSide=Allied\n");
  const std::string& pkg = package.Folder();

  // [Defaults] into a new file; loose files besides the archive, the 640 one by the rule.
  ToolRun run =
      RunTool({"export", scene, "-o", work.Path("LSALLY01.SHP"), "--palette", work.Path("LSALLY01.PAL"), "--mix",
               work.Path("m.mix"), "--defaults", "--mission-file", work.Path("new.ini"), "--package", pkg});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(Text(work.Path("new.ini")),
            "[Defaults]\r\nDefaultLS640BkgdName=6SALLY01.SHP\r\nDefaultLS800BkgdName=LSALLY01.SHP\r\n"
            "DefaultLS800BkgdPal=LSALLY01.PAL\r\n");
  EXPECT_EQ(Members(work.Path("m.mix")).size(), 4u);
  EXPECT_EQ(ReadBytes(work.Path("6SALLY01.SHP")), Members(work.Path("m.mix"))[MixNameId("6SALLY01.SHP")]);

  // Refused before anything is written: the mission file keeps its bytes, no archive.
  const std::string mission = work.Write("missionmd.ini", kMissionBefore);
  const std::string utf16 = work.Write("utf16.ini", std::string("\xFF\xFE[\0A\0]\0", 8));
  const std::string mix = work.Path("refused.mix");
  struct Bad {
    std::vector<std::string> args;
    int code;
    const char* says;
  };
  const Bad bad[] = {
      {{"--mix", mix, "--mission", "SOV01"}, 2, "such as ALL01UMD.MAP"},
      {{"--mix", mix, "--mission", "A]B.MAP", "--mission-file", mission}, 2, "']'"},
      {{"--mix", mix, "--mission-file", mission}, 2, "--mission-file needs --mission MAP"},
      {{"--mix", mix, "--mission", "A.MAP", "--defaults"}, 2, "give one of them"},
      {{"--mix", mix, "--mission", "A.MAP", "--mission-file", utf16}, 1, "UTF-16"},
      {{"--mix", mix, "--mission", "A.MAP", "--mission-file", mix}, 1, "mission file is named as another output"},
      {{"--mix", mix, "--mission", "A.MAP", "--mission-file", scene}, 1, "would be written over the scene"},
      {{"--mix", mix, "--ls640", "a6.png"}, 2, "does not end in .shp"},
      {{"--mix", mix, "--ls640", work.Path("a6.shp")}, 2, "without a folder"},
      {{"-o", work.Path(std::string(61, 'L') + ".shp"), "--palette", work.Path("p.pal"), "--mission", "A.MAP"},
       1,
       "more than the game's 63"},
  };
  for (const Bad& b : bad) {
    std::vector<std::string> args = {"export", scene};
    args.insert(args.end(), b.args.begin(), b.args.end());
    args.insert(args.end(), {"--package", pkg});
    run = RunTool(args);
    EXPECT_EQ(run.exitCode, b.code) << b.says << ": " << run.err;
    EXPECT_NE(run.err.find(b.says), std::string::npos) << run.err;
    EXPECT_EQ(Text(mission), kMissionBefore);
    EXPECT_FALSE(FileExists(mix)) << b.says;
  }

  // A batch whose 640 picture would be another scene's SHP.
  const std::string a = package.Write("a.ini", "[LoadScreen]\n"), a6 = package.Write("a6.ini", "[LoadScreen]\n");
  run = RunTool({"export", a, a6, "--mix", mix, "--package", pkg});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("the SHP of " + a6 + " and the 640 x 400 picture of " + a + " have the same MIX id"),
            std::string::npos)
      << run.err;
  EXPECT_FALSE(FileExists(mix));
  run = RunTool({"export", a, a6, "--mix", mix, "--mission", "A.MAP", "--package", pkg});
  EXPECT_NE(run.err.find("export one scene"), std::string::npos) << run.err;
}

}  // namespace
