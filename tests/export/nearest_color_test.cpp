#include "nearest_color.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "color_quantizer.h"
#include "memory_image.h"
#include "picture_mapping.h"
#include "synthetic_screen.h"

namespace {

Palette PaletteOf(std::initializer_list<PaletteColour> colours) {
  Palette palette{};
  int i = 0;
  for (const PaletteColour& c : colours) palette[i++] = c;
  return palette;
}

struct NearestCase {
  const char* what;
  Palette palette;
  int count;
  int red, green, blue;
  int expected;
};

TEST(FindNearestColor, Cases) {
  const NearestCase cases[] = {
      {"exact match", PaletteOf({{1, 2, 3}, {9, 9, 9}, {4, 5, 6}}), 3, 4, 5, 6, 2},
      {"green weighs most, blue least: 11*16^2 < 30*10^2 < 59*8^2", PaletteOf({{10, 0, 0}, {0, 8, 0}, {0, 0, 16}}), 3,
       0, 0, 0, 2},
      {"equal distances: the lower index", PaletteOf({{0, 0, 0}, {20, 0, 0}}), 2, 10, 0, 0, 0},
      {"equal distances, swapped: still the lower index", PaletteOf({{20, 0, 0}, {0, 0, 0}}), 2, 10, 0, 0, 0},
      {"duplicate entries: the first", PaletteOf({{7, 7, 7}, {50, 50, 50}, {50, 50, 50}}), 3, 49, 49, 49, 1},
      {"entries from count on never take part", PaletteOf({{0, 0, 0}, {200, 200, 200}}), 1, 200, 200, 200, 0},
      {"count 0 acts as 1", PaletteOf({{0, 0, 0}, {200, 200, 200}}), 0, 200, 200, 200, 0},
      {"count above 256 acts as 256", PaletteOf({{0, 0, 0}, {200, 200, 200}}), 1000, 200, 200, 200, 1},
      {"index 0 is an ordinary colour", PaletteOf({{255, 255, 255}, {0, 0, 0}}), 2, 250, 250, 250, 0},
      {"unused black entries lose to the first black", PaletteOf({{0, 0, 0}}), 256, 1, 1, 1, 0},
  };
  for (const NearestCase& c : cases) {
    EXPECT_EQ(FindNearestColor(c.palette, c.red, c.green, c.blue, c.count), c.expected) << c.what;
    NearestColourMapper mapper(c.palette, c.count);
    EXPECT_EQ(mapper.Map(MakePixel(c.red, c.green, c.blue)), c.expected) << c.what << " (mapper)";
  }
}

TEST(NearestColourMapper, IgnoresTheTopByte) {
  const Palette palette = PaletteOf({{0, 0, 0}, {255, 255, 255}});
  NearestColourMapper mapper(palette, 2);
  EXPECT_EQ(mapper.Map(0xFF000000), 0);
  EXPECT_EQ(mapper.Map(0x00FFFFFF), 1);
  EXPECT_EQ(mapper.Map(0x12FFFFFF), 1);
}

Palette RandomPalette(std::mt19937& random, int distinct) {
  Palette palette{};
  for (int i = 0; i < kPaletteSize; ++i) {
    const int source = static_cast<int>(random() % distinct);  // repeats make ties
    std::mt19937 colour(static_cast<unsigned>(source * 7919 + 1));
    palette[i] = {static_cast<std::uint8_t>(colour()), static_cast<std::uint8_t>(colour()),
                  static_cast<std::uint8_t>(colour())};
  }
  return palette;
}

void ExpectMapperEqualsFullSearch(const MemoryImage& image, const Palette& palette, int count, int first = 0,
                                  ColourWeights weights = kLumaWeights) {
  std::vector<std::uint8_t> full(static_cast<std::size_t>(image.width) * image.height);
  std::vector<std::uint8_t> fast(full.size());
  MapImageFullSearch(image, palette, count, full.data(), first, weights);
  NearestColourMapper mapper(palette, count, first, weights);
  for (int y = 0; y < image.height; ++y)
    mapper.MapRow(image.GetRow(y), image.width, fast.data() + static_cast<std::size_t>(y) * image.width);
  ASSERT_EQ(fast, full) << "count " << count << ", first " << first << ", weights " << weights.red;
  // The export's way: each distinct colour of the picture searched once.
  const ColourHistogram colours(image, ColourHistogram::PixelIds::kKeep);
  MappingOptions options;
  options.count = count, options.first = first, options.weights = weights, options.colours = &colours;
  ASSERT_TRUE(MapPicture(image, palette, options, fast.data()));
  ASSERT_EQ(fast, full) << "by colour ids: count " << count << ", first " << first;
  // Half of them looked up on a second thread (the random images have enough colours).
  options.threads = 2;
  std::fill(fast.begin(), fast.end(), std::uint8_t{0xAB});
  ASSERT_TRUE(MapPicture(image, palette, options, fast.data()));
  ASSERT_EQ(fast, full) << "on two threads: count " << count << ", first " << first;
  for (std::uint8_t index : full) {
    ASSERT_LT(index, count);
    ASSERT_GE(index, std::min(first, count - 1));
  }
}

TEST(NearestColourMapper, EqualsFullSearchOnRandomImages) {
  std::mt19937 random(2024);
  MemoryImage image;
  ASSERT_TRUE(image.Create(200, 100));
  for (int round = 0; round < 12; ++round) {
    // Mostly random colours, some runs and repeats (the cache's case), some near greys.
    for (int y = 0; y < image.height; ++y)
      for (int x = 0; x < image.width; ++x) {
        const unsigned r = random();
        Pixel p = r & 0xFFFFFF;
        if (r >> 30 == 0 && x > 0) p = image.ReadPixel(x - 1, y);
        if (r >> 30 == 1) p = MakePixel(r & 255, r & 255, (r & 255) ^ 1) | (r & 0xFF000000);
        image.WritePixel(x, y, p);
      }
    const Palette palette = RandomPalette(random, round % 2 ? 20 : 256);
    for (int count : {1, 2, 17, 100, 256}) ExpectMapperEqualsFullSearch(image, palette, count);
    // Entry 0 kept out, and plain RGB distance: the same agreement.
    ExpectMapperEqualsFullSearch(image, palette, 256, 1);
    ExpectMapperEqualsFullSearch(image, palette, round % 3 ? 256 : 40, round % 2, kPlainWeights);
  }
}

// The default package's Allied screen when the package is there, else the synthetic one.
bool RenderScreen(MemoryImage& screen) {
  LoadScreenDocument document;
  document.appDir = std::string(VANTOREL_SOURCE_DIR) + "/resources/package/";
  std::string message;
  if (InitImageFiles() && document.LoadCommonTemplates(message) && document.SetSide(Allied)) {
    if (!screen.Create(CanvasWidth, CanvasHeight)) return false;
    RenderLoadScreen(document, &screen);
    return true;
  }
  return synthetic::MakeScreen(screen);
}

TEST(NearestColourMapper, EqualsFullSearchOnARenderedScreen) {
  MemoryImage screen;
  ASSERT_TRUE(RenderScreen(screen));
  for (int count : {256, 64, 7}) {
    ColorQuantizer quantizer(static_cast<std::uint32_t>(count), 8);
    ASSERT_TRUE(quantizer.BuildFromImage(screen));
    ColorTableEntry table[kPaletteSize] = {};
    quantizer.FillColorTable(table, kPaletteSize);
    Palette palette{};
    for (int i = 0; i < kPaletteSize; ++i) palette[i] = {table[i].red, table[i].green, table[i].blue};
    ExpectMapperEqualsFullSearch(screen, palette, count);
  }
}

}  // namespace
