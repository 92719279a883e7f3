// The tool against inputs that used to lose a file or hang: an output that is one of the
// run's inputs, a FIFO named as a file, a scene in other letter cases and far-off values.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "run_tool.h"
#include "temp_folder.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;

namespace {

const std::string kPackage = std::string(VANTOREL_SOURCE_DIR) + "/resources/package";
const std::string kShot = std::string(VANTOREL_SOURCE_DIR) + "/examples/battlefield_234x232.png";

std::string Bytes(const std::string& path) { return tool_detail::Slurp(path); }

TEST(Hardening, NoOutputIsWrittenOverAnInputOfTheRun) {
  TempFolder folder;
  fs::copy_file(kShot, folder.Path("battlefield.png"));
  const std::string shot = Bytes(folder.Path("battlefield.png"));
  const std::string scene = folder.Write("battlefield.ini", "[LoadScreen]\nScreenshot=battlefield.png\n");
  const std::string sceneText = Bytes(scene);
  struct Run {
    std::vector<std::string> args;
    std::string overwritten;
  };
  const Run runs[] = {
      {{"render", scene, "--out-dir", folder.Path(".")}, "battlefield.png"},
      {{"render", scene, "-o", folder.Path("sub/../battlefield.png")}, "battlefield.png"},
      {{"export", scene, "-o", folder.Path("x.shp"), "--palette", folder.Path("./battlefield.ini")}, "battlefield.ini"},
      {{"export", scene, "-o", folder.Path("x.shp"), "--palette",
        kPackage + "/Templates/../Templates/com_worldmap2x.png"},
       "com_worldmap2x.png"},
  };
  fs::create_directory(folder.Path("sub"));
  for (const Run& run : runs) {
    std::vector<std::string> args = run.args;
    args.insert(args.end(), {"--package", kPackage});
    const ToolRun result = RunTool(args);
    EXPECT_EQ(result.exitCode, 1) << args[2];
    EXPECT_NE(result.err.find(run.overwritten + ": refused: it would be written over"), std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find(", which this run reads"), std::string::npos) << result.err;
  }
  EXPECT_EQ(Bytes(folder.Path("battlefield.png")), shot);
  EXPECT_EQ(Bytes(scene), sceneText);
  EXPECT_FALSE(fs::exists(folder.Path("x.shp")));
}

TEST(Hardening, SectionsInAnyCaseAndFarOffValuesRender) {
  TempFolder folder;
  const std::string out = folder.Path("out.png");
  // Lower-case section names as the keys already were; the target box a billion pixels up,
  // so its fans of lines run nearly straight down the picture.
  const std::string scene = folder.Write(
      "far.ini", "[loadscreen]\ntargetboxy=-1000000000\n[markers]\n1=sym_star.png,Red,-999999999,999999999\n");
  const ToolRun run = RunTool({"render", scene, "-o", out, "--package", kPackage});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(fs::exists(out));
}

#ifndef _WIN32
// A run that waits for ever is ended after a minute, and then fails the test.
const std::string kNoWaiting = "timeout -k 5 60 ";

TEST(Hardening, FifosAndDevicesAreRefusedAsEveryInputWithoutWaiting) {
  TempFolder folder;
  const std::string scene = folder.Write("scene.ini", "[LoadScreen]\n");
  const std::string shp = folder.Path("good.shp"), pal = folder.Path("good.pal");
  ASSERT_EQ(RunTool({"export", scene, "-o", shp, "--palette", pal, "--package", kPackage}).exitCode, 0);
  for (const char* name : {"pipe.shp", "pipe.pal", "pipe.mix"}) ASSERT_EQ(mkfifo(folder.Path(name).c_str(), 0600), 0);
  const std::vector<std::vector<std::string>> runs = {
      {"inspect", folder.Path("pipe.shp")},
      {"inspect", shp, "--palette", folder.Path("pipe.pal"), "-o", folder.Path("out.png")},
      {"export", scene, "-o", folder.Path("x.shp"), "--use-palette", folder.Path("pipe.pal"), "--package", kPackage},
      {"export", scene, "-o", folder.Path("x.shp"), "--use-palette", "/dev/zero", "--package", kPackage},
      {"inspect", folder.Path("pipe.mix")},
      {"pack", folder.Path("out.mix"), folder.Path("pipe.pal")},
      {"pack", folder.Path("out.mix"), shp, "--add-to", folder.Path("pipe.mix")},
  };
  for (const std::vector<std::string>& args : runs) {
    const ToolRun run = RunTool(args, kNoWaiting);
    EXPECT_EQ(run.exitCode, 1) << args[0] << " " << args[1] << " " << args.back();
    EXPECT_NE(run.err.find("it is not a regular file"), std::string::npos) << run.err;
  }
  EXPECT_FALSE(fs::exists(folder.Path("x.shp")));
  EXPECT_FALSE(fs::exists(folder.Path("out.mix")));
  EXPECT_FALSE(fs::exists(folder.Path("out.png")));
}

TEST(Hardening, AFifoInThePictureCacheIsAMiss) {
  TempFolder folder;
  const std::string scene = folder.Write("scene.ini", "[LoadScreen]\n");
  const std::string cache = "XDG_CACHE_HOME='" + folder.Path("cache") + "' ";
  ASSERT_EQ(RunTool({"render", scene, "-o", folder.Path("first.png"), "--package", kPackage}, cache).exitCode, 0);
  int entries = 0;
  for (const auto& entry : fs::recursive_directory_iterator(folder.Path("cache"))) {
    if (entry.path().extension() != ".pixels") continue;
    fs::remove(entry.path());
    ASSERT_EQ(mkfifo(entry.path().c_str(), 0600), 0);
    ++entries;
  }
  ASSERT_GT(entries, 0);
  const ToolRun run =
      RunTool({"render", scene, "-o", folder.Path("second.png"), "--package", kPackage}, cache + kNoWaiting);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(Bytes(folder.Path("second.png")), Bytes(folder.Path("first.png")));
}

TEST(Hardening, AFifoIsRefusedWithoutBeingOpened) {
  // Opening a FIFO for reading would wait for a writer that never comes.
  TempFolder folder;
  ASSERT_EQ(mkfifo(folder.Path("pipe.png").c_str(), 0600), 0);
  ASSERT_EQ(mkfifo(folder.Path("pipe.ini").c_str(), 0600), 0);
  const std::string scene = folder.Write("scene.ini", "[LoadScreen]\nScreenshot=pipe.png\n");
  for (const std::string& which : {scene, folder.Path("pipe.ini")}) {
    const ToolRun run = RunTool({"render", which, "-o", folder.Path("out.png"), "--package", kPackage});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("it is not a regular file"), std::string::npos) << run.err;
  }
}
#endif

}  // namespace
