// The operations both implementations share: each test runs on MemoryImage and DibImage.
#include <gtest/gtest.h>

#include "dib_image.h"
#include "memory_image.h"
#include "pixel.h"
#include "test_images.h"

template <typename T>
class BothImages : public ::testing::Test {};
using ImageTypes = ::testing::Types<MemoryImage, DibImage>;
TYPED_TEST_SUITE(BothImages, ImageTypes);

TYPED_TEST(BothImages, PasteKeyedNeedsTheWholeSource) {
  TypeParam canvas;
  MemoryImage symbol;
  canvas.Create(10, 4);
  canvas.Fill(0);  // a DibImage is not cleared by Create
  symbol.Create(3, 2);
  symbol.Fill(0x112233);
  canvas.PasteKeyed(symbol, 8, 0, kTransparentKey);  // one pixel too wide
  for (Pixel p : PixelsOf(canvas)) ASSERT_EQ(p, 0u);
  symbol.WritePixel(1, 0, kTransparentKey);
  symbol.WritePixel(2, 0, 0x010000FF);  // pure blue with byte 3 set is not the key
  canvas.PasteKeyed(symbol, 7, 2, kTransparentKey);
  EXPECT_EQ(canvas.ReadPixel(7, 2), 0x112233u);
  EXPECT_EQ(canvas.ReadPixel(8, 2), 0u);
  EXPECT_EQ(canvas.ReadPixel(9, 2), 0x010000FFu);
}

TYPED_TEST(BothImages, PasteRectKeyedClipsAndPlacesSourceRows) {
  TypeParam canvas;
  MemoryImage src;
  canvas.Create(4, 4);
  canvas.Fill(0);
  src.Create(5, 5);
  FillPattern(src);
  canvas.PasteRectKeyed(src, 2, 1, 1, 2, 5, 5, kTransparentKey);
  EXPECT_EQ(canvas.ReadPixel(2, 1), src.ReadPixel(1, 2)) << "source row srcY lands on row y";
  EXPECT_EQ(canvas.ReadPixel(3, 3), src.ReadPixel(2, 4));
  EXPECT_EQ(canvas.ReadPixel(1, 1), 0u);
  canvas.PasteRectKeyed(src, 0, 0, -1, 0, 2, 2, kTransparentKey);
  EXPECT_EQ(canvas.ReadPixel(0, 0), 0u);
}

TYPED_TEST(BothImages, OutlineAndInvertCoverTheSamePixels) {
  TypeParam image;
  image.Create(8, 8);
  image.Fill(0);
  image.DrawRect(1, 1, 4, 4, 0xFFFFFF);
  // Rows 1 and 5 over columns 1..4, columns 1 and 5 over rows 2..3.
  const char* expected[] = {"........", ".####...", ".#...#..", ".#...#..",
                            "........", ".####...", "........", "........"};
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      EXPECT_EQ(image.ReadPixel(x, y), expected[y][x] == '#' ? 0xFFFFFFu : 0u) << x << "," << y;

  TypeParam other;
  other.Create(8, 8);
  other.Fill(0x00102030);
  other.InvertRect(1, 1, 4, 4);
  EXPECT_EQ(other.ReadPixel(1, 1), InvertedOutlinePixel(0x00102030));
  EXPECT_EQ(InvertedOutlinePixel(0x00102030), 0x00CFDFEFu) << "channels inverted, red and blue exchanged";
  other.InvertRect(1, 1, 4, 4);
  EXPECT_EQ(other.ReadPixel(1, 1), 0x00102030u);
  other.DrawRect(-1, 0, 3, 3, 1);
  other.DrawRect(0, 0, 0, 3, 1);
  EXPECT_EQ(other.ReadPixel(0, 0), 0x00102030u);
}

TYPED_TEST(BothImages, OutlineOverhangingTheEdgesStaysInside) {
  TypeParam image;
  image.Create(4, 4);
  image.Fill(0);
  image.DrawRect(2, 2, 100000, 100000, 7);  // would wrap in 32-bit arithmetic
  EXPECT_EQ(image.ReadPixel(3, 2), 7u);
  EXPECT_EQ(image.ReadPixel(2, 3), 7u);
}

TEST(ColourHelpers, ExactValues) {
  EXPECT_EQ(SwapRedBlue(0x00112233), 0x00332211u);
  EXPECT_EQ(SwapRedBlue(0xFF112233), 0x00332211u);
  EXPECT_EQ(Lighten(0xAB123456, 257), 0xAB123456u);
  EXPECT_EQ(Darken(0xAB123456, 256), 0xAB123456u);
  EXPECT_EQ(Lighten(0x00123456, 256), 0x00FFFFFFu);
  EXPECT_EQ(Darken(0x00FFFFFF, 255), 0x00010101u);
  EXPECT_EQ(Darken(0x00FF8001, 128), 0x00804001u);
  EXPECT_EQ(Lighten(0x00000000, 128), 0x007F7F7Fu);
  EXPECT_EQ(ToGrey(0x00FFFFFF), 0x00FEFEFEu);
  EXPECT_EQ(ToGrey(0x00FF0000), 0x004B4B4Bu);

  MemoryImage image;
  image.Create(2, 1);
  image.WritePixel(0, 0, 0xFFFF00);
  image.WritePixel(1, 0, 0xFFFE00);
  ReplaceColour(image, 0xFFFF00, 0xCE0000);
  EXPECT_EQ(image.ReadPixel(0, 0), 0xCE0000u);
  EXPECT_EQ(image.ReadPixel(1, 0), 0xFFFE00u);
}
