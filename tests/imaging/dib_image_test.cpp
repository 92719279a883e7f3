#include "dib_image.h"

#include <gtest/gtest.h>

#include "memory_image.h"
#include "test_images.h"

TEST(DibImage, RowsAreStoredBottomUp) {
  DibImage image;
  ASSERT_TRUE(image.Create(3, 2));
  image.WritePixel(0, 0, 0xABCDEF);
  EXPECT_EQ(image.Bits()[3], 0xABCDEFu) << "row 0 is the last row of the block";
  EXPECT_EQ(image.GetRow(0), image.Bits() + 3);
  EXPECT_EQ(image.GetRowBytes(), 12);
  EXPECT_EQ(image.GetBytesPerPixel(), 4);
}

TEST(DibImage, PasteIsClippedAtTheFarEdges) {
  DibImage canvas;
  MemoryImage src;
  canvas.Create(800, 520);
  canvas.Fill(0);
  src.Create(10, 10);
  src.Fill(9);
  canvas.Paste(src, 795, 515);
  int painted = 0;
  for (int y = 510; y < 520; ++y)
    for (int x = 790; x < 800; ++x) painted += canvas.ReadPixel(x, y) == 9;
  EXPECT_EQ(painted, 25);
  canvas.Paste(src, 800, 0);
  canvas.Paste(src, -1, 0);
  EXPECT_EQ(canvas.ReadPixel(0, 0), 0u);
}

TEST(DibImage, DrawLineStopsShortOfTheEndPoint) {
  DibImage image;
  image.Create(6, 6);
  image.Fill(0);
  image.DrawLine(0, 0, 3, 1, 7);
  EXPECT_EQ(image.ReadPixel(2, 0), 7u);
  EXPECT_EQ(image.ReadPixel(3, 1), 0u);
  image.DrawLine(4, 4, 4, 4, 7);
  EXPECT_EQ(image.ReadPixel(4, 4), 0u);
}

TEST(DibImage, FailedCreateKeepsTheSizeButNoPixels) {
  DibImage image;
  EXPECT_FALSE(image.Create(0x10000, 0x10000));
  EXPECT_FALSE(image.valid);
  EXPECT_EQ(image.width, 0x10000);
  // Every pixel operation is harmless on it.
  image.Fill(1);
  image.WritePixel(0, 0, 1);
  EXPECT_EQ(image.ReadPixel(0, 0), 0u);
  image.DrawRect(0, 0, 4, 4, 1);
  MemoryImage src;
  src.Create(2, 2);
  image.Paste(src, 0, 0);
  image.PasteRect(src, 0, 0, 0, 0, 2, 2);
  EXPECT_EQ(image.GetRowBytes(), 0);
}

TEST(DibImage, CreateFromPixelsCopiesAndPasteRectChecksBounds) {
  const Pixel pixels[] = {1, 2, 3, 4, 5, 6};
  DibImage image;
  ASSERT_TRUE(image.CreateFromPixels(pixels, 3, 2));
  EXPECT_EQ(image.ReadPixel(2, 1), 6u);
  DibImage copy = image;
  EXPECT_EQ(PixelsOf(copy), PixelsOf(image));

  MemoryImage src;
  src.Create(4, 4);
  src.Fill(8);
  image.PasteRect(src, 1, 0, 0, 0, 3, 2);  // would run past the right edge
  EXPECT_EQ(PixelsOf(image), PixelsOf(copy));
}
