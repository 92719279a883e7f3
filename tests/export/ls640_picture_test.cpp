// The 640 x 400 picture: its resize beside a reference written from the definitions (not
// the library's code path), its mapping to the 800 picture's palette under every export
// setting, the 800 files unchanged by it, and its name.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <unordered_map>

#include "export_preview.h"
#include "export_test_support.h"
#include "ls640_picture.h"
#include "pal_file.h"
#include "reference_resize.h"
#include "shp_export.h"
#include "shp_reader.h"
#include "synthetic_screen.h"

namespace {

// The synthetic screen with the hardest cases for a resize laid over it: one-pixel
// checks and lines, saturated edges, and black and white next to each other.
MemoryImage HardScreen() {
  MemoryImage screen;
  synthetic::MakeScreen(screen);
  for (int y = 380; y < 520; ++y)
    for (int x = 0; x < 260; ++x) screen.WritePixel(x, y, (x + y) % 2 ? 0xFFFFFF : 0x000000);
  for (int y = 380; y < 520; ++y)
    for (int x = 260; x < 520; ++x) screen.WritePixel(x, y, x % 7 == 0 ? 0xFF0000 : y % 5 == 0 ? 0x00FF00 : 0x0000FF);
  return screen;
}

// The picture with each 4 x 4 block filled with its mean colour (when `blocks`; the
// picture as it is otherwise).
MemoryImage BlockMeans(const MemoryImage& picture, bool blocks) {
  MemoryImage means = picture;
  if (!blocks) return means;
  for (int by = 0; by + 4 <= picture.height; by += 4)
    for (int bx = 0; bx + 4 <= picture.width; bx += 4) {
      unsigned sum[3] = {};
      for (int y = by; y < by + 4; ++y)
        for (int x = bx; x < bx + 4; ++x) {
          const Pixel p = picture.ReadPixel(x, y);
          sum[0] += RedOf(p);
          sum[1] += GreenOf(p);
          sum[2] += BlueOf(p);
        }
      const Pixel mean = MakePixel((sum[0] + 8) / 16, (sum[1] + 8) / 16, (sum[2] + 8) / 16);
      for (int y = by; y < by + 4; ++y)
        for (int x = bx; x < bx + 4; ++x) means.WritePixel(x, y, mean);
    }
  return means;
}

TEST(Ls640Picture, ShrinksAsTheReferenceSrgbResizeDoes) {
  const MemoryImage screen = HardScreen();
  MemoryImage ours;
  ASSERT_TRUE(ShrinkToLs640(screen, ours));
  ASSERT_EQ(ours.width, 640);
  ASSERT_EQ(ours.height, 400);
  const MemoryImage expected = reference::ShrinkSrgb(screen, 640, 400);
  int largest = 0;
  long differing = 0;
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 640; ++x) {
      const Pixel a = ours.ReadPixel(x, y), b = expected.ReadPixel(x, y);
      int most = 0;
      for (int shift : {16, 8, 0})
        most = std::max(most, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
      largest = std::max(largest, most);
      differing += most > 0;
    }
  std::printf("# 640 x 400 shrink against the reference: largest channel difference %d, %ld of 256000 pixels differ\n",
              largest, differing);
  EXPECT_LE(largest, 1);
  EXPECT_LT(differing, 256000 / 50);
}

TEST(Ls640Picture, MapsToThe800PalettesEntriesAndLeavesThe800FilesAsTheyWere) {
  ScratchFolder folder;
  const MemoryImage screen = HardScreen();
  const MemoryImage expected = reference::ShrinkSrgb(screen, 640, 400);
  struct Case {
    const char* what;
    PaletteMode mode;
    Quantizer quantizer;
    int colours;
    bool dither, keepIndex0;
  };
  // An existing palette: a grey ramp with red at entry 0.
  PalBytes ramp{};
  for (int i = 0; i < 256; ++i) ramp[3 * i] = ramp[3 * i + 1] = ramp[3 * i + 2] = static_cast<std::uint8_t>(i / 4);
  ramp[0] = 63;
  const std::string existing = folder.Write("ramp.pal", std::string(ramp.begin(), ramp.end()));
  for (const Case& c :
       {Case{"octree", NewPalette, Quantizer::Octree, 256, false, false},
        Case{"best, dithered", NewPalette, Quantizer::Best, 256, true, false},
        Case{"octree, 16 colours, entry 0 kept free", NewPalette, Quantizer::Octree, 16, false, true},
        Case{"existing palette, 100 entries, dithered", ExistingPalette, Quantizer::Octree, 100, true, false},
        Case{"existing palette, entry 0 kept free", ExistingPalette, Quantizer::Octree, 256, false, true}}) {
    ShpExportSettings alone;
    alone.exportPath = folder.Path("plain.shp");
    alone.palettePath = c.mode == ExistingPalette ? existing : folder.Path("plain.pal");
    alone.paletteMode = c.mode;
    alone.quantizer = c.quantizer;
    alone.colourCount = c.colours;
    alone.dither = c.dither;
    alone.keepIndex0 = c.keepIndex0;
    ShpExportSettings with640 = alone;
    with640.exportPath = folder.Path("game.shp");
    if (c.mode == NewPalette) with640.palettePath = folder.Path("game.pal");
    with640.ls640Path = folder.Path("game6.shp");
    ASSERT_TRUE(ExportPictureAsShp(screen, alone).success) << c.what;
    const ShpExportResult result = ExportPictureAsShp(screen, with640);
    ASSERT_TRUE(result.success) << c.what << ": " << DescribeShpExportFailure(result);
    EXPECT_EQ(ReadBytes(with640.exportPath), ReadBytes(alone.exportPath)) << c.what;
    EXPECT_EQ(ReadBytes(with640.palettePath), ReadBytes(alone.palettePath)) << c.what;

    const Bytes shp = ReadBytes(with640.ls640Path);
    ShpSprite sprite;
    std::string error;
    ASSERT_TRUE(ParseShp(shp.data(), shp.size(), sprite, error)) << c.what << ": " << error;
    ASSERT_EQ(shp.size(), 32u + 640 * 400) << c.what;
    EXPECT_EQ(Le16(shp, 2), 640u);
    EXPECT_EQ(Le16(shp, 4), 400u);
    EXPECT_EQ(Le16(shp, 6), 1u);
    const int first = c.keepIndex0 ? 1 : 0;
    for (std::size_t i = 32; i < shp.size(); ++i) {
      ASSERT_GE(shp[i], first) << c.what << " pixel " << i - 32;
      ASSERT_LT(shp[i], c.colours) << c.what << " pixel " << i - 32;
    }

    // Beside the reference shrink mapped by a plain search of the allowed entries: without
    // dithering each pixel's entry is as near to the reference pixel as the nearest one,
    // give or take what a difference of 1 per channel in the shrink can change (2 units of
    // sqrt(sum of the weights) in distance) and, for a new palette, what the PAL file's
    // dropped low 2 bits can (3 per channel, for the chosen entry and the nearest: 6 units);
    // with dithering, the picture as the game shows it is as close to the reference as the
    // plain mapping is, within 1 dB.
    Palette palette;
    ASSERT_EQ(ReadPalFile(with640.palettePath.c_str(), palette), PalReadStatus::kOk);
    const ColourWeights weights = ExportMappingOptions(with640).weights;
    const auto squared = [&](Pixel p, const PaletteColour& e) {
      const double r = static_cast<int>(RedOf(p)) - e.red, g = static_cast<int>(GreenOf(p)) - e.green,
                   b = static_cast<int>(BlueOf(p)) - e.blue;
      return weights.red * r * r + weights.green * g * g + weights.blue * b * b;
    };
    const double slack = (c.mode == NewPalette ? 8 : 2) * std::sqrt(weights.red + weights.green + weights.blue) + 1e-9;
    std::unordered_map<Pixel, int> nearestOf;
    MemoryImage shown, nearest;
    shown.Create(640, 400);
    nearest.Create(640, 400);
    for (int y = 0; y < 400; ++y)
      for (int x = 0; x < 640; ++x) {
        const Pixel p = expected.ReadPixel(x, y);
        auto [at, fresh] = nearestOf.emplace(p, first);
        for (int i = first; fresh && i < c.colours; ++i)
          if (squared(p, palette[i]) < squared(p, palette[at->second])) at->second = i;
        const int best = at->second, index = shp[32 + static_cast<std::size_t>(y) * 640 + x];
        if (!c.dither) {
          ASSERT_LE(std::sqrt(squared(p, palette[index])), std::sqrt(squared(p, palette[best])) + slack)
              << c.what << " at " << x << "," << y;
        }
        shown.WritePixel(x, y, MakePixel(palette[index].red, palette[index].green, palette[index].blue));
        nearest.WritePixel(x, y, MakePixel(palette[best].red, palette[best].green, palette[best].blue));
      }
    // Dithering trades single pixels for the average of their neighbourhood: compared on
    // the means of 4 x 4 blocks it must not lose to the plain mapping.
    const bool blocks = c.dither;
    const double psnr = PicturePsnr(BlockMeans(expected, blocks), BlockMeans(shown, blocks)),
                 plain = PicturePsnr(BlockMeans(expected, blocks), BlockMeans(nearest, blocks));
    std::printf("# %s: %.2f dB against the reference shrink%s, %.2f dB for its plain mapping\n", c.what, psnr,
                blocks ? " (4 x 4 block means)" : "", plain);
    EXPECT_GT(psnr, plain - (blocks ? 0 : 0.1)) << c.what;
  }
}

TEST(Ls640Picture, ItsOwnFileAndItsName) {
  ScratchFolder folder;
  const MemoryImage screen = HardScreen();
  ShpExportSettings settings;
  settings.exportPath = folder.Path("a.shp");
  settings.palettePath = folder.Path("a.pal");
  for (const std::string& clash : {settings.exportPath, settings.palettePath}) {
    settings.ls640Path = clash;
    const ShpExportResult result = ExportPictureAsShp(screen, settings);
    EXPECT_EQ(result.error, ShpExportError::kSamePath);
    EXPECT_EQ(result.message, kLs640SamePathMessage);
  }
  EXPECT_EQ(folder.Names(), std::set<std::string>{});
  settings.ls640Path = folder.Path("no/folder/a6.shp");  // nothing is put in place
  EXPECT_FALSE(ExportPictureAsShp(screen, settings).success);
  EXPECT_EQ(folder.Names(), std::set<std::string>{});

  struct Name {
    const char* ls800;
    const char* ls640;
  };
  for (const Name& n :
       {Name{"SOV01.SHP", "SOV016.SHP"}, Name{"a.shp", "a6.shp"}, Name{"ALL01UM.SHP", "ALL01UM6.SHP"},
        Name{"LSALLY01.SHP", "6SALLY01.SHP"}, Name{"6SALLY01.SHP", "4SALLY01.SHP"},
        Name{"second_scene.shp", "second_scene6.shp"}, Name{"NOEXT", "NOEXT6"}, Name{"my.load.shp", "my.load6.shp"}})
    EXPECT_EQ(Ls640NameFor(n.ls800), n.ls640) << n.ls800;
}

}  // namespace
