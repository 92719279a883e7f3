#include "colour_histogram.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

#include "memory_image.h"

namespace {

// Enough distinct colours for the table to grow several times; runs, repeats and a varying
// top byte, which must not tell colours apart.
TEST(ColourHistogram, DistinctColoursInOrderOfFirstAppearanceWithTheirCounts) {
  MemoryImage image;
  ASSERT_TRUE(image.Create(300, 200));
  std::mt19937 random(5);
  std::vector<Pixel> expectedOrder;
  std::map<Pixel, std::uint32_t> expectedCounts;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      const Pixel colour = random() % 3 ? random() & 0xFFFFFF : (x % 7 == 0 ? 0x123456 : image.ReadPixel(0, 0) & 0xFFFFFF);
      image.WritePixel(x, y, colour | (random() & 0xFF000000));
      if (expectedCounts[colour]++ == 0) expectedOrder.push_back(colour);
    }

  const ColourHistogram histogram(image, ColourHistogram::PixelIds::kKeep);
  const std::vector<ColourHistogram::Entry>& entries = histogram.Entries();
  ASSERT_GT(entries.size(), 30000u);
  ASSERT_EQ(entries.size(), expectedOrder.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    ASSERT_EQ(entries[i].colour, expectedOrder[i]) << i;
    ASSERT_EQ(entries[i].count, expectedCounts[expectedOrder[i]]) << i;
  }
  const std::uint32_t* ids = histogram.PixelColourIds();
  ASSERT_NE(ids, nullptr);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      ASSERT_EQ(entries[ids[y * 300 + x]].colour, image.ReadPixel(x, y) & 0xFFFFFF) << x << "," << y;
  EXPECT_EQ(ColourHistogram(image).PixelColourIds(), nullptr);
  EXPECT_TRUE(ColourHistogram(MemoryImage(), ColourHistogram::PixelIds::kKeep).Entries().empty());
}

}  // namespace
