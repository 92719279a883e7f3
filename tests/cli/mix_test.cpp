// pack, export --mix / --mission and inspect of a MIX, run as a user runs them. The archives
// are read back here by the layout alone: flags, count, body size, sorted index, bodies,
// and the name list by its documented bytes.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <thread>

#include "export_test_support.h"
#include "mix_name_id.h"
#include "replacement_system.h"
#include "run_tool.h"
#include "synthetic_screen.h"

namespace fs = std::filesystem;

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

// The names in an archive's list ("local mix database.dat", id 0x366E051F): a 32-byte
// header text, size, type, version, game, count, then NUL-terminated names.
std::set<std::string> ListedNames(const std::string& path) {
  const Bytes list = ReadArchive(path)[0x366E051Fu];
  std::set<std::string> names;
  if (list.size() < 52 || std::memcmp(list.data(), "XCC by Olaf van der Spek\x1a\x04\x17\x27\x10\x19\x80", 32) != 0 ||
      Le32(list, 32) != list.size() || Le32(list, 36) != 0 || Le32(list, 40) != 0 || Le32(list, 44) != 5) {
    ADD_FAILURE() << path << " has no name list of the known format";
    return names;
  }
  std::string text(list.begin() + 52, list.end());
  for (std::size_t at = 0; at < text.size(); at = text.find('\0', at) + 1) names.insert(text.c_str() + at);
  EXPECT_EQ(names.size(), Le32(list, 48));
  return names;
}

class MixTool : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(synthetic::WritePackage(package_.Folder())); }
  std::string Scene(const std::string& name) { return package_.Write(name, "[LoadScreen]\nSide=Allied\nCameos=2\n"); }
  ToolRun Export(std::vector<std::string> args) {
    args.insert(args.begin(), "export");
    args.insert(args.end(), {"--package", package_.Folder()});
    return RunTool(args);
  }
  ScratchFolder package_, work_;
};

TEST_F(MixTool, ExportPacksTheLooseBytesNamesThemAndPrintsTheMissionLines) {
  const std::string one = Scene("one.ini"), two = Scene("second_scene.ini");
  const std::string mix = work_.Path("mymod.mix");

  ToolRun run = Export({one, "-o", work_.Path("ls800a.shp"), "--palette", work_.Path("ls800a.pal"), "--mix", mix,
                        "--mission", "SOV01.MAP"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("[SOV01.MAP]\nLS640BkgdName=LS800A6.SHP\nLS800BkgdName=LS800A.SHP\nLS800BkgdPal=LS800A.PAL\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("into " + mix + " (a new archive)"), std::string::npos) << run.out;
  EXPECT_EQ(run.err.find("warning"), std::string::npos) << run.err;  // 8.3 names
  std::map<std::uint32_t, Bytes> bodies = ReadArchive(mix);
  EXPECT_EQ(bodies.size(), 4u);
  EXPECT_EQ(bodies[MixNameId("LS800A.SHP")], ReadBytes(work_.Path("ls800a.shp")));
  EXPECT_EQ(bodies[MixNameId("LS800A.PAL")], ReadBytes(work_.Path("ls800a.pal")));
  EXPECT_EQ(ListedNames(mix),
            (std::set<std::string>{"ls800a.shp", "ls800a.pal", "ls800a6.shp", "local mix database.dat"}));

  // A batch into the same archive, with no loose files: added beside the first export, the
  // list keeps the old names, and a name that is not 8.3 is warned about with the way out.
  run = Export({one, two, "--mix", mix});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("(added to the existing archive: 6 added, 0 replaced, 3 kept)"), std::string::npos) << run.out;
  EXPECT_NE(run.err.find("warning: SECOND_SCENE.SHP is not an 8.3 name"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("rename " + two), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find("ONE.SHP"), std::string::npos) << run.err;
  bodies = ReadArchive(mix);
  EXPECT_EQ(bodies.size(), 10u);
  EXPECT_EQ(bodies[MixNameId("one.shp")], bodies[MixNameId("ls800a.shp")]);
  EXPECT_EQ(bodies[MixNameId("second_scene.pal")].size(), 768u);
  EXPECT_EQ(ListedNames(mix), (std::set<std::string>{"ls800a.shp", "ls800a.pal", "ls800a6.shp", "one.shp", "one.pal",
                                                     "one6.shp", "second_scene.shp", "second_scene.pal",
                                                     "second_scene6.shp", "local mix database.dat"}));
  EXPECT_EQ(work_.Names(), (std::set<std::string>{"mymod.mix", "ls800a.pal", "ls800a.shp", "ls800a6.shp"}));
  // One warning a name, also with --mission, saying how to choose another.
  run = Export({two, "--mix", work_.Path("b.mix"), "--mission", "M.MAP"});
  const std::string warning = "warning: SECOND_SCENE.SHP is not an 8.3 name";
  EXPECT_EQ(run.err.find(warning), run.err.rfind(warning)) << run.err;
  EXPECT_NE(run.err.find("name the files with -o and --palette"), std::string::npos) << run.err;

  // inspect names every member from the list, the loose files beside it not needed.
  fs::remove(work_.Path("ls800a.shp"));
  run = RunTool({"inspect", mix});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("MIX, 10 files"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("size     416032  LS800A.SHP\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("size        768  SECOND_SCENE.PAL\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("  LOCAL MIX DATABASE.DAT\n"), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find("  ?\n"), std::string::npos) << run.out;
}

TEST_F(MixTool, PackAddsToAnArchiveAndNeverDestroysAFile) {
  const std::string a = work_.Write("a.txt", "alpha"), b = work_.Write("b.txt", "beta");
  const std::string mix = work_.Path("out.mix");
  ToolRun run = RunTool({"pack", mix, a, b});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "packed 2 files into " + mix + " (a new archive)\n");
  // Named as the target again, the archive is added to, as export --mix does.
  run = RunTool({"pack", mix, work_.Write("A.TXT", "new alpha"), work_.Write("long_name.txt", "c")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "packed 2 files into " + mix + " (added to the existing archive: 1 added, 1 replaced, 1 kept)\n");
  EXPECT_NE(run.err.find("warning: LONG_NAME.TXT is not an 8.3 name"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("rename " + work_.Path("long_name.txt") + " before packing it"), std::string::npos) << run.err;
  std::map<std::uint32_t, Bytes> bodies = ReadArchive(mix);
  EXPECT_EQ(bodies.size(), 4u);
  EXPECT_EQ(bodies[MixNameId("a.txt")], Bytes({'n', 'e', 'w', ' ', 'a', 'l', 'p', 'h', 'a'}));
  EXPECT_EQ(ListedNames(mix), (std::set<std::string>{"a.txt", "b.txt", "long_name.txt", "local mix database.dat"}));

  // Refused, naming the file, nothing written: the archive's name forgotten, an existing
  // file that is not a MIX, the target among the inputs, an empty member, two of one id,
  // archives that do not hold together.
  const std::string shp = work_.Write("ls.shp", Bytes(48, 7)), pal = work_.Write("ls.pal", Bytes(768, 1));
  const std::string png = work_.Write("keep.png", "\x89PNG\r\n\x1a\nrest");
  fs::create_directories(work_.Path("sub"));
  const std::string twin = work_.Write("sub/a.txt", "twin"), empty = work_.Write("empty.shp", "");
  Bytes encrypted = ReadBytes(mix);
  encrypted[2] = 0x02;
  const std::string locked = work_.Write("locked.mix", encrypted);
  Bytes trailing = ReadBytes(mix);
  trailing.push_back(0);
  struct Case {
    std::vector<std::string> args;
    std::string says;
  };
  const Case cases[] = {
      {{shp, pal}, shp + ": refused: the file exists and is not a MIX archive"},
      {{png, b}, png + ": refused: the file exists and is not a MIX archive"},
      {{mix, work_.Path("sub/../out.mix")}, ": refused: it would be written over the file to pack"},
      {{mix, empty}, empty + ": the file is empty"},
      {{work_.Path("two.mix"), a, twin}, a + " and " + twin + " have the same MIX id"},
      {{"--add-to", locked, b}, "encrypted"},
      {{"--add-to", work_.Write("zeros.mix", Bytes(4096, 0)), b}, "4086 bytes follow the end of its body"},
      {{"--add-to", work_.Write("trailing.mix", trailing), b}, "1 bytes follow the end of its body"},
  };
  auto files = [&] {
    std::map<std::string, Bytes> bytes;
    for (const std::string& name : work_.Names())
      if (fs::is_regular_file(work_.Path(name))) bytes[name] = ReadBytes(work_.Path(name));
    return bytes;
  };
  for (const Case& c : cases) {
    const std::map<std::string, Bytes> before = files();
    std::vector<std::string> args = c.args;
    args.insert(args.begin(), "pack");
    run = RunTool(args);
    EXPECT_EQ(run.exitCode, 1) << c.says;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    EXPECT_EQ(files(), before) << c.says;
  }
  run = Export({"nothing.ini", "--mix", locked});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("encrypted"), std::string::npos) << run.err;
}

TEST_F(MixTool, OutputsAndNamesAreCheckedBeforeAnythingIsWritten) {
  const std::string scene = Scene("one.ini");
  ToolRun run = RunTool({"pack", work_.Path("x.mix"), work_.Write("keep.txt", "keep")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const Bytes archive = ReadBytes(work_.Path("x.mix"));
  struct Case {
    std::vector<std::string> args;
    std::string says;
  };
  std::vector<Case> cases = {
      // The archive added to is read too: no output may be it.
      {{scene, "-o", work_.Path("x.shp"), "--palette", work_.Path("x.mix"), "--mix", work_.Path("x.mix")},
       work_.Path("x.mix") + ": refused"},
      {{scene, "-o", work_.Path("sub/../x.shp"), "--palette", work_.Path("x.pal"), "--mix", work_.Path("x.shp")},
       "x.shp: refused"},
      {{scene, "--out-dir", work_.Folder(), "--mix", work_.Path("one.pal")}, "one.pal: refused"},
  };
  std::set<std::string> names = {"x.mix", "keep.txt"};
#ifndef _WIN32
  // A name the archive cannot hold, before the loose file of that name is replaced (the
  // test's own narrow names are UTF-8 on POSIX only).
  const std::string cafe = work_.Write("caf\xC3\xA9.shp", "old");
  names.insert("caf\xC3\xA9.shp");
  cases.push_back({{scene, "-o", cafe, "--palette", work_.Path("y.pal"), "--mix", work_.Path("x.mix")},
                   cafe + ": the name caf\xC3\xA9.shp is not plain ASCII"});
  // Two scenes whose members would share an id, before either's loose files are written.
  cases.push_back({{scene, Scene("ONE.ini"), "--out-dir", work_.Folder(), "--mix", work_.Path("x.mix")},
                   "the SHP of " + scene + " and the SHP of " + package_.Path("ONE.ini") + " have the same MIX id"});
#endif
  for (const Case& c : cases) {
    run = Export(c.args);
    EXPECT_EQ(run.exitCode, 1) << c.says;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    EXPECT_EQ(ReadBytes(work_.Path("x.mix")), archive) << c.says;
    EXPECT_EQ(work_.Names(), names) << c.says;
  }
#ifndef _WIN32
  EXPECT_EQ(tool_detail::Slurp(cafe), "old");
#endif

  // inspect: a MIX takes no picture options, and -o never writes over what it draws from.
  run = RunTool({"inspect", work_.Path("x.mix"), "--palette", work_.Path("p.pal"), "-o", work_.Path("x.png")});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find("--palette and -o"), std::string::npos) << run.err;
  ASSERT_EQ(Export({scene, "-o", work_.Path("s.shp"), "--palette", work_.Path("p.png")}).exitCode, 0);
  const Bytes palette = ReadBytes(work_.Path("p.png"));  // a PAL by content, named as a picture
  run = RunTool({"inspect", work_.Path("s.shp"), "--palette", work_.Path("p.png"), "-o", work_.Path("p.png")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("p.png: refused: it would be written over the palette"), std::string::npos) << run.err;
  EXPECT_EQ(ReadBytes(work_.Path("p.png")), palette);
}

TEST_F(MixTool, AddsSideBySideKeepEveryEntry) {
  const std::string mix = work_.Path("m.mix");
  ASSERT_EQ(RunTool({"pack", mix, work_.Write("base.txt", "base")}).exitCode, 0);
  std::vector<std::vector<std::string>> runs;
  for (int i = 0; i < 4; ++i) {
    const std::string name = "f" + std::to_string(i) + ".txt";
    runs.push_back({"pack", "--add-to", mix, work_.Write(name, name)});
  }
  for (const char* scene : {"s1.ini", "s2.ini"})
    runs.push_back({"export", Scene(scene), "--mix", mix, "--package", package_.Folder()});
  std::vector<ToolRun> results(runs.size());
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < runs.size(); ++i) threads.emplace_back([&, i] { results[i] = RunTool(runs[i]); });
  for (std::thread& thread : threads) thread.join();
  for (const ToolRun& result : results) EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(ListedNames(mix),
            (std::set<std::string>{"base.txt", "f0.txt", "f1.txt", "f2.txt", "f3.txt", "s1.shp", "s1.pal", "s16.shp",
                                   "s2.shp", "s2.pal", "s26.shp", "local mix database.dat"}));
  EXPECT_EQ(ReadArchive(mix).size(), 12u);
}

// The temporary folder of the tool's runs, for one test: the variables the system's
// temporary folder is taken from, set and then put back.
class TemporaryFolderForRuns {
 public:
  explicit TemporaryFolderForRuns(const std::string& folder) {
    for (const char* name : kNames) {
      const char* was = std::getenv(name);
      old_.emplace_back(was ? was : "");
      Set(name, folder);
    }
  }
  ~TemporaryFolderForRuns() {
    for (std::size_t i = 0; i < old_.size(); ++i) Set(kNames[i], old_[i]);
  }

 private:
#ifdef _WIN32
  static constexpr const char* kNames[] = {"TMP", "TEMP"};
  static void Set(const char* name, const std::string& value) { _putenv_s(name, value.c_str()); }
#else
  static constexpr const char* kNames[] = {"TMPDIR"};
  static void Set(const char* name, const std::string& value) {
    if (value.empty())
      unsetenv(name);
    else
      setenv(name, value.c_str(), 1);
  }
#endif
  std::vector<std::string> old_;
};

TEST_F(MixTool, ScratchFoldersOfKilledRunsGoWithTheNextRun) {
  // What a killed run leaves (its process gone), and the folder of a run still going (this
  // test's process): the next export into an archive removes the first only.
  ScratchFolder temporary;
  const std::string killed = temporary.Path("vantorel-mix-2147483000-17");
  const std::string running =
      temporary.Path("vantorel-mix-" + std::to_string(replacement_system::CurrentProcessId()) + "-5");
  fs::create_directories(killed);
  fs::create_directories(running);
  temporary.Write("vantorel-mix-2147483000-17/one.shp", "half");
  ToolRun run;
  {
    TemporaryFolderForRuns redirected(temporary.Folder());
    run = Export({Scene("one.ini"), "--mix", work_.Path("m.mix")});
  }
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(temporary.Names(),
            std::set<std::string>{"vantorel-mix-" + std::to_string(replacement_system::CurrentProcessId()) + "-5"});
  EXPECT_EQ(run.out.find(temporary.Folder()), std::string::npos) << run.out;

#ifndef _WIN32
  // A member the scratch folder cannot take (files limited to 100 KB): the message names the
  // member and the archive, never the folder, and the folder goes.
  std::string command = "trap '' XFSZ; ulimit -f 200; TMPDIR=\"" + temporary.Folder() + "\"";
  for (const std::string& word :
       {tool_detail::ToolPath(), std::string("export"), Scene("two.ini"), std::string("--mix"), work_.Path("m.mix"),
        std::string("--package"), package_.Folder()})
    tool_detail::AppendQuoted(command, word);
  command += " 2>";
  tool_detail::AppendQuoted(command, work_.Path("err.txt"));
  EXPECT_NE(std::system(command.c_str()), 0);
  const std::string err = tool_detail::Slurp(work_.Path("err.txt"));
  EXPECT_NE(err.find("vantorel: TWO.SHP for " + work_.Path("m.mix") + ": SHP file write error"), std::string::npos)
      << err;
  EXPECT_EQ(err.find(temporary.Folder()), std::string::npos) << err;
  EXPECT_EQ(temporary.Names().size(), 1u);
#endif
}

}  // namespace
