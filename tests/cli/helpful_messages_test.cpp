// Messages that say what to do: where cameos and symbols are looked up, that a tool on its
// own needs --package, the key that was meant, how comments are written, the picture's own
// size, and what a batch wrote.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "image_files.h"
#include "memory_image.h"
#include "run_tool.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

const std::string kPackage = std::string(VANTOREL_SOURCE_DIR) + "/resources/package";

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(ToolMessages, SayWhereToLookAndWhatToDo) {
  TempFolder folder;
  MemoryImage small;
  small.Create(200, 100);
  ASSERT_TRUE(SaveImageFile(folder.Path("small.png").c_str(), small));
  const std::string mine = folder.Path("my_cameo.png");
  fs::copy_file(kPackage + "/Templates/cameo_tank.png", mine);
  const std::string templates = (fs::path(kPackage) / "Templates").string();
  const struct {
    std::string scene, expected;
  } cases[] = {
      {"[LoadScreen]\nCamoes=3\n", "s.ini: line 2: unknown key 'Camoes' in [LoadScreen] (did you mean Cameos?)"},
      {"# the first mission\n[LoadScreen]\n", "s.ini: line 1: '# the first mission': comments start with ';', not '#'"},
      {"[LoadScreen]\nScreenshot=small.png\n", "s.ini: screenshot small.png is 200 x 100, smaller than 234 x 232"},
      {"[LoadScreen]\nCameo1=" + mine + "\n",
       "s.ini: cameo " + mine + " lies outside the package: cameos and symbols are looked up in " + templates},
      {"[LoadScreen]\n[Markers]\n1=" + mine + ",Red,1,1\n",
       "s.ini: marker 1: symbol " + mine + " lies outside the package: cameos and symbols are looked up in " +
           templates},
  };
  for (const auto& c : cases) {
    const ToolRun run =
        RunTool({"render", folder.Write("s.ini", c.scene), "-o", folder.Path("out.png"), "--package", kPackage});
    EXPECT_EQ(run.exitCode, 1) << c.scene;
    EXPECT_TRUE(Has(run.err, c.expected)) << run.err;
    EXPECT_EQ(Has(run.err, "--package DIR"), Has(c.expected, "outside")) << run.err;
  }

  // A copy of the tool with no package beside it says so and names the option.
  const fs::path copy = fs::path(folder.Path("alone")) / fs::path(VANTOREL_TOOL_PATH).filename();
  fs::create_directory(copy.parent_path());
  fs::copy_file(tool_detail::ToolPath(), copy);
  ToolRun run =
      RunProgram(copy.string(), {"render", folder.Write("s.ini", "[LoadScreen]\n"), "-o", folder.Path("out.png")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(Has(run.err, ": no template package beside ")) << run.err;
  EXPECT_TRUE(Has(run.err, "name one with --package DIR")) << run.err;
  EXPECT_FALSE(fs::exists(folder.Path("out.png")));

  // A batch into an archive only names the archive's members, not loose files it never wrote.
  folder.Write("a.ini", "[LoadScreen]\n");
  folder.Write("b.ini", "[LoadScreen]\nSide=Soviet\n");
  run = RunTool(
      {"export", folder.Path("a.ini"), folder.Path("b.ini"), "--mix", folder.Path("mod.mix"), "--package", kPackage});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(Has(run.out, "a.ini -> " + folder.Path("mod.mix") + ": A.SHP, A.PAL, A6.SHP (")) << run.out;
  EXPECT_TRUE(Has(run.out, "b.ini -> " + folder.Path("mod.mix") + ": B.SHP, B.PAL, B6.SHP (")) << run.out;
  EXPECT_FALSE(fs::exists(folder.Path("a.shp")));
}

}  // namespace
