// Every refusal of the tool names the file at fault and says why; a repeated option is an
// error in every verb; paths may be as long as the system allows (the Windows build keeps
// its 259 characters and says so).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "image_files.h"
#include "memory_image.h"
#include "run_tool.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

const std::string kPackage = std::string(VANTOREL_SOURCE_DIR) + "/resources/package";

std::string Contains(const ToolRun& run, const std::string& part) {
  return run.err.find(part) != std::string::npos ? "" : "stderr: " + run.err;
}

}  // namespace

TEST(ToolErrors, NameTheFileAndTheReason) {
  TempFolder folder;
  const std::string scene = folder.Write("s.ini", "[LoadScreen]\nScreenshot=shot.bmp\n");
  const std::string out = folder.Path("out.png");
  MemoryImage picture;
  picture.Create(240, 240);
  ASSERT_TRUE(SaveImageFile(folder.Path("whole.bmp").c_str(), picture));
  const std::string bmp = ReadWholeFile(folder.Path("whole.bmp"));
  // A package whose large target box is cut short.
  const fs::path package = folder.Path("package");
  fs::copy(kPackage, package, fs::copy_options::recursive);
  const fs::path box = package / "Templates" / "com_largetargetbox.png";
  const std::string boxBytes = ReadWholeFile(box.string());
  folder.Write("package/Templates/com_largetargetbox.png", boxBytes.substr(0, boxBytes.size() / 2));

  struct Case {
    std::string shot;  // the screenshot's bytes, or "-" for none
    std::vector<std::string> args;
    std::string expected;
  };
  const std::string shot = folder.Path("shot.bmp");
  const Case cases[] = {
      {"-", {"render", scene, "-o", out, "--package", kPackage}, shot + ": No such file or directory"},
      {bmp.substr(0, bmp.size() - 7),
       {"render", scene, "-o", out, "--package", kPackage},
       "s.ini: cannot load screenshot " + shot + ": the file is truncated"},
      {"GIF89a", {"render", scene, "-o", out, "--package", kPackage}, ": the file is truncated"},
      {"plain text", {"render", scene, "-o", out, "--package", kPackage}, ": unsupported format"},
      {bmp,
       {"render", scene, "-o", out, "--package", package.string()},
       box.string() + ": cannot load the template: the file is truncated"},
      {bmp,
       {"render", scene, "-o", folder.Path("nowhere/out.png"), "--package", kPackage},
       "cannot write the image: the folder " + folder.Path("nowhere") + " does not exist"},
      {bmp, {"render", scene, "-o", folder.Folder(), "--package", kPackage}, "cannot write the image: it is a folder"},
      {bmp,
       {"render", scene, "-o", folder.Path("out.webp"), "--package", kPackage},
       "cannot write the image: unsupported format '.webp' (use .png, .bmp, .tga, .jpg or .gif)"},
      {bmp,
       {"render", folder.Path("package"), "-o", out, "--package", kPackage},
       "cannot read the scene file: it is a folder"},
      {bmp, {"render", scene, "-o", out, "--package", folder.Path("s.ini")}, "s.ini: the package is not a folder"},
  };
  for (const Case& c : cases) {
    if (c.shot == "-")
      fs::remove(shot);
    else
      folder.Write("shot.bmp", c.shot);
    const ToolRun run = RunTool(c.args);
    EXPECT_EQ(run.exitCode, 1) << c.expected;
    EXPECT_EQ(Contains(run, c.expected), "") << c.expected;
    EXPECT_FALSE(fs::exists(out));
  }

  folder.Write("m.ini", "[LoadScreen]\n[Markers]\n1=sym_star.png,Red,99999999999,1\n2=sym_star.png,Red,x,1\n");
  ToolRun run = RunTool({"render", folder.Path("m.ini"), "-o", out, "--package", kPackage});
  EXPECT_EQ(Contains(run, "marker 1: position 99999999999 is out of range (-1000000000..1000000000)"), "");
  folder.Write("m.ini", "[LoadScreen]\nTargetBoxY=5x\n");
  run = RunTool({"render", folder.Path("m.ini"), "-o", out, "--package", kPackage});
  EXPECT_EQ(Contains(run, "TargetBoxY: '5x' is not a number"), "");
}

TEST(ToolErrors, ARepeatedOptionIsAnErrorInEveryVerb) {
  TempFolder folder;
  const std::string a = folder.Path("a"), b = folder.Path("b");
  const std::vector<std::vector<std::string>> cases = {
      {"render", "s.ini", "-o", a, "-o", b},
      {"render", "s.ini", "-o", a, "--package", a, "--package", b},
      {"inspect", "x.shp", "--palette", a, "-o", a, "-o", b},
      {"inspect", "x.shp", "--palette", a, "--palette", b, "-o", a},
      {"export", "s.ini", "-o", a, "--palette", a, "--colors", "4", "--colors", "5"},
  };
  for (const auto& args : cases) {
    const ToolRun run = RunTool(args);
    EXPECT_EQ(run.exitCode, 2) << args[0];
    EXPECT_EQ(Contains(run, " given twice"), "") << args[0];
  }
  EXPECT_TRUE(folder.Names().empty());
}

TEST(ToolErrors, ATinySpriteDeclaringAHugeOneIsNotDrawn) {
  TempFolder folder;
  // 8192 x 8192, one empty frame: 32 bytes.
  const std::string shp("\0\0\0\x20\0\x20\x01\0", 8);
  const std::string path = folder.Write("huge.shp", shp + std::string(24, '\0'));
  folder.Write("p.pal", std::string(768, '\0'));
  const ToolRun run = RunTool({"inspect", path, "--palette", folder.Path("p.pal"), "-o", folder.Path("d.png")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(Contains(run, "the 8192 x 8192 sprite is too large to draw from a 32-byte file (at most 4194304 pixels)"),
            "");
  EXPECT_FALSE(fs::exists(folder.Path("d.png")));
}

TEST(ToolErrors, LongPathsWorkAsFarAsTheSystemAllows) {
  TempFolder folder;
  std::string deep = folder.Folder();
  while (deep.size() < 320) deep += "/a-folder-name-of-some-length";
#ifdef _WIN32
  const ToolRun run = RunTool({"render", deep + "/s.ini", "-o", deep + "/o.png", "--package", kPackage});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(Contains(run, "characters long, more than the 259 Windows allows"), "");
#else
  fs::create_directories(deep);
  MemoryImage shot;
  shot.Create(234, 232);
  ASSERT_TRUE(SaveImageFile((deep + "/shot.png").c_str(), shot));
  const std::string scene = deep + "/s.ini";
  std::ofstream(scene) << "[LoadScreen]\nScreenshot=shot.png\n";
  ToolRun run = RunTool({"render", scene, "-o", deep + "/o.png", "--package", kPackage});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  run = RunTool({"export", scene, "-o", deep + "/o.shp", "--palette", deep + "/o.pal", "--package", kPackage});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  run = RunTool({"inspect", deep + "/o.shp", "--palette", deep + "/o.pal", "-o", deep + "/d.png"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(ReadWholeFile(deep + "/o.pal").size(), 768u);
  EXPECT_TRUE(fs::exists(deep + "/d.png"));
#endif
}
