// Options are checked, never silently bent: a palette must be a PAL file, an export's -o an
// SHP, a render's -o a picture; inspect tells SHP, PAL and MIX apart by content.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "image_files.h"
#include "memory_image.h"
#include "run_tool.h"
#include "temp_folder.h"

namespace {

const std::string kPackage = std::string(VANTOREL_SOURCE_DIR) + "/resources/package";

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The smallest SHP sprite: a 4 x 4 sprite with one empty frame.
std::string TinyShp() { return std::string("\0\0\4\0\4\0\1\0", 8) + std::string(24, '\0'); }

// 256 colours: entry i is (i / 4, i % 64, 63 - i / 4).
std::string GradientPal() {
  std::string pal;
  for (int i = 0; i < 256; ++i)
    pal += {static_cast<char>(i / 4), static_cast<char>(i % 64), static_cast<char>(63 - i / 4)};
  return pal;
}

TEST(ToolOptions, PalettesAndOutputsAreWhatTheyClaim) {
  TempFolder folder;
  const std::string scene = folder.Write("s.ini", "[LoadScreen]\n");
  MemoryImage picture;
  picture.Create(300, 200);
  ASSERT_TRUE(SaveImageFile(folder.Path("shot.png").c_str(), picture));
  std::string pal8 = GradientPal();
  pal8[5] = 64;
  folder.Write("notes.txt", "red 255 0 0\n");
  folder.Write("tiny.shp", TinyShp());
  folder.Write("short.pal", std::string(767, '\0'));
  folder.Write("pal8.pal", pal8);
  folder.Write("game.pal", GradientPal());
  const std::string pngPal =
      "it is a PNG image (300 x 200) (a PAL file is 768 bytes: 256 colours of red, green and blue, each 0..63)";
  const struct {
    std::string palette, expected;
  } palettes[] = {
      {"shot.png", "shot.png: not a PAL palette: " + pngPal},
      {"notes.txt", "notes.txt: not a PAL palette: it is text"},
      {"tiny.shp", "tiny.shp: not a PAL palette: it is an SHP sprite"},
      {"short.pal", "short.pal: not a PAL palette: it has 767 bytes"},
      {"pal8.pal", "pal8.pal: not a PAL palette: byte 5 is 64, above 63"},
  };
  const auto before = folder.Names();
  for (const auto& c : palettes) {
    ToolRun run = RunTool(
        {"export", scene, "-o", folder.Path("x.shp"), "--use-palette", folder.Path(c.palette), "--package", kPackage});
    EXPECT_EQ(run.exitCode, 1) << c.palette;
    EXPECT_TRUE(Has(run.err, c.expected)) << run.err;
    run =
        RunTool({"inspect", folder.Path("tiny.shp"), "--palette", folder.Path(c.palette), "-o", folder.Path("d.png")});
    EXPECT_EQ(run.exitCode, 1) << c.palette;
    EXPECT_TRUE(Has(run.err, c.expected)) << run.err;
  }

  // export writes SHP sprites, render pictures: each names the other.
  ToolRun run = RunTool({"export", scene, "-o", folder.Path("x.png"), "--palette", folder.Path("x.pal")});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(Has(run.err, "x.png: the name must end in .shp (export writes SHP sprites; render writes pictures)"))
      << run.err;
  run = RunTool({"render", scene, "-o", folder.Path("x.shp")});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(Has(run.err, "render writes pictures; export writes SHP sprites: ")) << run.err;
  EXPECT_TRUE(Has(run.err, " export SCENE.ini -o " + folder.Path("x.shp"))) << run.err;
  EXPECT_EQ(folder.Names(), before);

  // inspect goes by content: a PAL named .shp is read as a palette, its colours as stored
  // and as shown, and -o draws them 16 x 16, entry 0 at the top left.
  folder.Write("palette.shp", GradientPal());
  run = RunTool({"inspect", folder.Path("palette.shp"), "-o", folder.Path("swatch.png")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(Has(run.out, "palette.shp: PAL palette, 256 colours")) << run.out;
  EXPECT_TRUE(Has(run.out, "\n 17:  4 17 59  #1044EC\n")) << run.out;
  EXPECT_TRUE(Has(run.out, "\n255: 63 63  0  #FCFC00\n")) << run.out;
  MemoryImage swatch;
  ASSERT_TRUE(LoadImageFile(folder.Path("swatch.png").c_str(), swatch));
  ASSERT_EQ(swatch.width, 256);
  ASSERT_EQ(swatch.height, 256);
  for (int entry : {0, 17, 130, 255}) {
    const Pixel shown = static_cast<Pixel>((entry / 4 * 4) << 16 | (entry % 64 * 4) << 8 | (63 - entry / 4) * 4);
    for (int corner = 0; corner < 2; ++corner)
      EXPECT_EQ(swatch.ReadPixel(entry % 16 * 16 + corner * 15, entry / 16 * 16 + corner * 15), shown) << entry;
  }
  // An SHP named .pal is read as a sprite; a palette takes no palette.
  folder.Write("sprite.pal", TinyShp());
  run = RunTool({"inspect", folder.Path("sprite.pal")});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(Has(run.out, "sprite.pal: 4 x 4, 1 frame, 32 bytes\nframe 0: empty\n")) << run.out;
  run = RunTool({"inspect", folder.Path("game.pal"), "--palette", folder.Path("game.pal")});
  EXPECT_EQ(run.exitCode, 2);
  // Anything else is named.
  run = RunTool({"inspect", folder.Path("shot.png")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(
      Has(run.err, "shot.png: not an SHP sprite, a PAL palette or a MIX archive: it is a PNG image (300 x 200)"))
      << run.err;
  run = RunTool({"inspect", folder.Path("notes.txt")});
  EXPECT_TRUE(Has(run.err, "notes.txt: not an SHP sprite, a PAL palette or a MIX archive: it is text")) << run.err;
}

}  // namespace
