// The best palette, the palette builder's index 0, and dithered mapping.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

#include "best_quantizer.h"
#include "memory_image.h"
#include "nearest_color.h"
#include "pal_file.h"
#include "palette_builder.h"
#include "picture_mapping.h"
#include "synthetic_screen.h"

namespace {

// Plain squared error per channel of the picture shown through `palette` (as a PAL file
// gives it back) against the picture itself.
double MeanSquaredError(const Image& picture, const Palette& palette, const std::vector<std::uint8_t>& indices) {
  const Palette shown = PaletteFromPalBytes(PalBytesFromPalette(palette));
  double sum = 0;
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) {
      const Pixel p = picture.GetRow(y)[x];
      const PaletteColour& c = shown[indices[static_cast<std::size_t>(y) * picture.width + x]];
      const double dr = int(RedOf(p)) - c.red, dg = int(GreenOf(p)) - c.green, db = int(BlueOf(p)) - c.blue;
      sum += dr * dr + dg * dg + db * db;
    }
  return sum / (3.0 * picture.width * picture.height);
}

std::vector<std::uint8_t> Map(const Image& picture, const Palette& palette, MappingOptions options) {
  std::vector<std::uint8_t> indices(static_cast<std::size_t>(picture.width) * picture.height);
  EXPECT_TRUE(MapPicture(picture, palette, options, indices.data()));
  return indices;
}

TEST(BestPalette, HoldsDistinctPalLevelsAndBeatsTheOctree) {
  MemoryImage screen;
  ASSERT_TRUE(synthetic::MakeScreen(screen));
  for (int count : {256, 16, 1}) {
    Palette best{};
    const int made = BuildBestPalette(screen, count, best.data());
    ASSERT_EQ(made, count);
    std::set<std::tuple<int, int, int>> seen;
    for (int i = 0; i < made; ++i) {
      for (int channel : {best[i].red, best[i].green, best[i].blue}) {
        EXPECT_EQ(channel % 4, 0) << count;
        EXPECT_LE(channel, 252) << count;
      }
      EXPECT_TRUE(seen.insert({best[i].red, best[i].green, best[i].blue}).second) << "entry " << i << " repeats";
    }
    if (count == 1) continue;
    Palette octree{};
    ASSERT_TRUE(BuildNewPalette(screen, Quantizer::Octree, count, 0, octree));
    MappingOptions plain;
    plain.count = count;
    plain.weights = kPlainWeights;
    MappingOptions luma;
    luma.count = count;
    EXPECT_LT(MeanSquaredError(screen, best, Map(screen, best, plain)),
              0.8 * MeanSquaredError(screen, octree, Map(screen, octree, luma)))
        << count;
  }
}

TEST(BestPalette, FewColoursAtPalLevelsComeOutExactly) {
  const Pixel colours[] = {0x000000, 0xFC0000, 0x04F808, 0x808080, 0x808084, 0x102030};
  MemoryImage picture;
  ASSERT_TRUE(picture.Create(60, 1));
  for (int x = 0; x < 60; ++x) picture.WritePixel(x, 0, colours[x % 6]);
  Palette palette{};
  ASSERT_EQ(BuildBestPalette(picture, 256, palette.data()), 6);
  MappingOptions options;
  options.weights = kPlainWeights;
  EXPECT_EQ(MeanSquaredError(picture, palette, Map(picture, palette, options)), 0.0);
  MemoryImage empty;
  EXPECT_EQ(BuildBestPalette(empty, 256, palette.data()), 0);
}

// Beyond 65536 distinct colours the search runs on cells of them: still 256 distinct entries
// at PAL levels, and still better than the octree.
TEST(BestPalette, VeryManyColoursStillGiveAGoodPalette) {
  MemoryImage picture;
  ASSERT_TRUE(picture.Create(320, 256));
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 320; ++x) picture.WritePixel(x, y, static_cast<Pixel>((x * 0x10000 / 320) << 8 | y));
  Palette best{};
  ASSERT_EQ(BuildBestPalette(picture, 256, best.data()), 256);
  std::set<std::tuple<int, int, int>> seen;
  for (const PaletteColour& c : best) {
    EXPECT_TRUE(c.red % 4 == 0 && c.green % 4 == 0 && c.blue % 4 == 0 && c.red <= 252);
    EXPECT_TRUE(seen.insert({c.red, c.green, c.blue}).second);
  }
  Palette octree{};
  ASSERT_TRUE(BuildNewPalette(picture, Quantizer::Octree, 256, 0, octree));
  MappingOptions plain;
  plain.weights = kPlainWeights;
  EXPECT_LT(MeanSquaredError(picture, best, Map(picture, best, plain)),
            MeanSquaredError(picture, octree, Map(picture, octree, MappingOptions{})));
}

TEST(PaletteBuilder, KeepingIndex0LeavesItBlackAndUnused) {
  MemoryImage screen;
  ASSERT_TRUE(synthetic::MakeScreen(screen));
  for (Quantizer quantizer : {Quantizer::Octree, Quantizer::Best}) {
    Palette palette;
    ASSERT_TRUE(BuildNewPalette(screen, quantizer, 256, 1, palette));
    EXPECT_EQ(palette[0], PaletteColour{}) << QuantizerName(quantizer);
    for (bool dither : {false, true}) {
      MappingOptions options;
      options.first = 1;
      options.dither = dither;
      for (std::uint8_t index : Map(screen, palette, options)) ASSERT_NE(index, 0) << QuantizerName(quantizer);
    }
  }
  // Without it the octree palette is the quantizer's own, from entry 0.
  Palette plain, shifted;
  ASSERT_TRUE(BuildNewPalette(screen, Quantizer::Octree, 200, 0, plain));
  ASSERT_TRUE(BuildNewPalette(screen, Quantizer::Octree, 201, 1, shifted));
  EXPECT_TRUE(std::equal(plain.begin(), plain.begin() + 200, shifted.begin() + 1));
  Quantizer parsed = Quantizer::Octree;
  EXPECT_TRUE(ParseQuantizerName("Best", parsed));
  EXPECT_EQ(parsed, Quantizer::Best);
  EXPECT_FALSE(ParseQuantizerName("median", parsed));
}

TEST(Dithering, MixesNeighboursToTheWantedShade) {
  // A grey between two entries: undithered it takes the nearer one everywhere; dithered the
  // mix of both averages close to the grey, and entries from `count` on stay unused.
  Palette palette{};
  palette[0] = {0, 0, 0};
  palette[1] = {100, 100, 100};
  palette[2] = {60, 60, 60};
  MemoryImage grey;
  ASSERT_TRUE(grey.Create(64, 64));
  grey.Fill(MakePixel(30, 30, 30));
  MappingOptions options;
  options.count = 2;
  std::vector<std::uint8_t> plain = Map(grey, palette, options);
  EXPECT_TRUE(std::all_of(plain.begin(), plain.end(), [](std::uint8_t i) { return i == 0; }));
  options.dither = true;
  const std::vector<std::uint8_t> dithered = Map(grey, palette, options);
  double mean = 0;
  for (std::uint8_t index : dithered) {
    ASSERT_LT(index, 2);
    mean += palette[index].red;
  }
  mean /= static_cast<double>(dithered.size());
  EXPECT_NEAR(mean, 30.0, 1.0);
  // Mapping the same picture again gives the same indices.
  EXPECT_EQ(Map(grey, palette, options), dithered);
}

}  // namespace
