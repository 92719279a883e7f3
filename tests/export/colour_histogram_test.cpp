#include "colour_histogram.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

#include "memory_image.h"

namespace {

// The entries, counts and pixel ids of `image` against a plain count.
void ExpectHistogramOf(const MemoryImage& image, std::size_t atLeast) {
  std::vector<Pixel> expectedOrder;
  std::map<Pixel, std::uint32_t> expectedCounts;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      const Pixel colour = image.ReadPixel(x, y) & 0xFFFFFF;
      if (expectedCounts[colour]++ == 0) expectedOrder.push_back(colour);
    }

  const ColourHistogram histogram(image, ColourHistogram::PixelIds::kKeep);
  const std::vector<ColourHistogram::Entry>& entries = histogram.Entries();
  ASSERT_GT(entries.size(), atLeast);
  ASSERT_EQ(entries.size(), expectedOrder.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    ASSERT_EQ(entries[i].colour, expectedOrder[i]) << i;
    ASSERT_EQ(entries[i].count, expectedCounts[expectedOrder[i]]) << i;
  }
  const std::uint32_t* ids = histogram.PixelColourIds();
  ASSERT_NE(ids, nullptr);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      ASSERT_EQ(entries[ids[y * image.width + x]].colour, image.ReadPixel(x, y) & 0xFFFFFF) << x << "," << y;
  EXPECT_EQ(ColourHistogram(image).PixelColourIds(), nullptr);
}

// Enough distinct colours for a large table; runs, repeats and a varying top byte, which
// must not tell colours apart.
TEST(ColourHistogram, DistinctColoursInOrderOfFirstAppearanceWithTheirCounts) {
  MemoryImage image;
  ASSERT_TRUE(image.Create(300, 200));
  std::mt19937 random(5);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      const Pixel colour = random() % 3 ? random() & 0xFFFFFF
                                        : (x % 7 == 0 ? 0x123456 : image.ReadPixel(0, 0) & 0xFFFFFF);
      image.WritePixel(x, y, colour | (random() & 0xFF000000));
    }
  ExpectHistogramOf(image, 30000);
  EXPECT_TRUE(ColourHistogram(MemoryImage(), ColourHistogram::PixelIds::kKeep).Entries().empty());
}

// The table is sized from a sample of rows before counting: rows that show a few colours
// while the rest are all different make it grow, four times over while small, then twice.
TEST(ColourHistogram, GrowsPastWhatASampleOfRowsSuggests) {
  MemoryImage image;
  ASSERT_TRUE(image.Create(400, 512));
  std::mt19937 random(9);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      image.WritePixel(x, y, y % 16 == 0 ? static_cast<Pixel>(x % 3) : random() & 0xFFFFFF);
  ExpectHistogramOf(image, 180000);
}

}  // namespace
