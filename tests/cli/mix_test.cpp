// pack, export --mix / --mission and inspect of a MIX, run as a user runs them. The archives
// are read back here by the layout alone: flags, count, body size, sorted index, bodies.
#include <gtest/gtest.h>

#include <map>

#include "export_test_support.h"
#include "mix_name_id.h"
#include "run_tool.h"
#include "synthetic_screen.h"

namespace {

// The bodies of a MIX by id; fails the test when the layout or the order is wrong.
std::map<std::uint32_t, Bytes> ReadArchive(const std::string& path) {
  const Bytes mix = ReadBytes(path);
  std::map<std::uint32_t, Bytes> bodies;
  if (mix.size() < 10) {
    ADD_FAILURE() << path << " is too short";
    return bodies;
  }
  EXPECT_EQ(Le32(mix, 0), 0u);
  const std::size_t count = Le16(mix, 4), body = 10 + 12 * count;
  EXPECT_EQ(mix.size(), body + Le32(mix, 6));
  for (std::size_t i = 0; i < count && mix.size() >= body; ++i) {
    const std::uint32_t id = Le32(mix, 10 + 12 * i), offset = Le32(mix, 14 + 12 * i), size = Le32(mix, 18 + 12 * i);
    if (i > 0) {
      EXPECT_LT(static_cast<std::int32_t>(Le32(mix, 12 * i - 2)), static_cast<std::int32_t>(id));
    }
    if (body + offset + size > mix.size()) return {};
    bodies[id] = Bytes(mix.begin() + body + offset, mix.begin() + body + offset + size);
  }
  return bodies;
}

TEST(MixTool, ExportPacksTheLooseBytesAndPrintsTheMissionLines) {
  ScratchFolder package, work;
  ASSERT_TRUE(synthetic::WritePackage(package.Folder()));
  const std::string text = "[LoadScreen]\nSide=Allied\nCameos=2\n";
  const std::string one = package.Write("one.ini", text), two = package.Write("second_scene.ini", text);
  const std::string mix = work.Path("expandmd01.mix");

  ToolRun run = RunTool({"export", one, "-o", work.Path("ls800a.shp"), "--palette", work.Path("ls800a.pal"), "--mix",
                         mix, "--mission", "SOV01", "--package", package.Folder()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("[SOV01]\nLS800BkgdName=LS800A.SHP\nLS800BkgdPal=LS800A.PAL\n"), std::string::npos) << run.out;
  EXPECT_EQ(run.err.find("warning"), std::string::npos) << run.err;  // 8.3 names
  std::map<std::uint32_t, Bytes> bodies = ReadArchive(mix);
  EXPECT_EQ(bodies.size(), 2u);
  EXPECT_EQ(bodies[MixNameId("LS800A.SHP")], ReadBytes(work.Path("ls800a.shp")));
  EXPECT_EQ(bodies[MixNameId("LS800A.PAL")], ReadBytes(work.Path("ls800a.pal")));

  // A batch into the same archive, with no loose files: added beside the first export, and
  // a long name is warned about.
  run = RunTool({"export", one, two, "--mix", mix, "--package", package.Folder()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  bodies = ReadArchive(mix);
  EXPECT_EQ(bodies.size(), 6u);
  EXPECT_EQ(bodies[MixNameId("one.shp")], bodies[MixNameId("ls800a.shp")]);
  EXPECT_EQ(bodies[MixNameId("second_scene.pal")].size(), 768u);
  EXPECT_EQ(work.Names(), (std::set<std::string>{"expandmd01.mix", "ls800a.pal", "ls800a.shp"}));
  run = RunTool({"export", two, "--mix", work.Path("b.mix"), "--mission", "M", "--package", package.Folder()});
  EXPECT_NE(run.err.find("warning: SECOND_SCENE.SHP is longer than the game's 8.3"), std::string::npos) << run.err;

  run = RunTool({"inspect", mix, "--names", "one.shp"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("MIX, 6 files"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("size     416032  ONE.SHP\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("size        768  LS800A.PAL\n"), std::string::npos) << run.out;  // lies beside it
}

TEST(MixTool, PackMakesAddsToAndRefuses) {
  ScratchFolder work;
  const std::string a = work.Write("a.txt", "alpha"), b = work.Write("b.txt", "beta");
  const std::string mix = work.Path("out.mix");
  ToolRun run = RunTool({"pack", mix, a, b});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  run = RunTool({"pack", "--add-to", mix, work.Write("A.TXT", "new alpha")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  std::map<std::uint32_t, Bytes> bodies = ReadArchive(mix);
  EXPECT_EQ(bodies.size(), 2u);
  EXPECT_EQ(bodies[MixNameId("a.txt")], Bytes({'n', 'e', 'w', ' ', 'a', 'l', 'p', 'h', 'a'}));

  std::filesystem::create_directories(work.Path("sub"));
  const std::string twin = work.Write("sub/a.txt", "twin");
  run = RunTool({"pack", work.Path("two.mix"), a, twin});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find(a + " and " + twin + " have the same MIX id"), std::string::npos) << run.err;
  EXPECT_FALSE(FileExists(work.Path("two.mix")));

  Bytes encrypted = ReadBytes(mix);
  encrypted[2] = 0x02;
  const std::string locked = work.Write("locked.mix", encrypted);
  run = RunTool({"pack", "--add-to", locked, b});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("encrypted"), std::string::npos) << run.err;
  EXPECT_EQ(ReadBytes(locked), encrypted);
  run = RunTool({"export", "nothing.ini", "--mix", locked});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("encrypted"), std::string::npos) << run.err;
}

}  // namespace
