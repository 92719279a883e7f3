#include "memory_image.h"

#include <gtest/gtest.h>

#include "dib_image.h"
#include "test_images.h"

TEST(MemoryImage, CreateFreeAndCopy) {
  MemoryImage image;
  EXPECT_FALSE(image.valid);
  ASSERT_TRUE(image.Create(0, 0));
  EXPECT_TRUE(image.valid);
  image.Free();
  image.Free();
  EXPECT_FALSE(image.valid);
  EXPECT_EQ(image.width, 0);

  ASSERT_TRUE(image.Create(3, 2));
  EXPECT_EQ(image.ReadPixel(2, 1), 0u) << "Create clears the pixels";
  FillPattern(image);
  MemoryImage copy(image);
  image.WritePixel(0, 0, 0x123456);
  EXPECT_EQ(copy.ReadPixel(0, 0), 0x00100000u) << "copies share nothing";

  MemoryImage other;
  other.Create(10, 10);
  other = copy;
  EXPECT_EQ(other.width, 3);
  EXPECT_EQ(other.height, 2);
  EXPECT_EQ(PixelsOf(other), PixelsOf(copy));
}

TEST(MemoryImage, CreateRefusesImpossibleSizes) {
  MemoryImage image;
  image.Create(4, 4);
  EXPECT_FALSE(image.Create(-1, 5));
  EXPECT_FALSE(image.valid);
  EXPECT_EQ(image.width, 0) << "earlier pixels are released, not leaked";
  EXPECT_FALSE(image.Create(0x40000000, 1)) << "row bytes beyond 32 bits";
  EXPECT_FALSE(image.valid);
}

TEST(MemoryImage, PixelAccessRefusesOutsideCoordinates) {
  MemoryImage image;
  image.Create(4, 3);
  image.Fill(0x00C0C0C0);
  for (int x : {-1, 4}) {
    image.WritePixel(x, 0, 1);
    EXPECT_EQ(image.ReadPixel(x, 0), 0u);
  }
  image.WritePixel(0, -1, 1);
  image.WritePixel(0, 3, 1);
  for (Pixel p : PixelsOf(image)) EXPECT_EQ(p, 0x00C0C0C0u);
}

TEST(MemoryImage, DrawLineIncludesTheEndPoint) {
  MemoryImage image;
  image.Create(6, 6);
  image.DrawLine(0, 0, 3, 1, 7);
  EXPECT_EQ(image.ReadPixel(0, 0), 7u);
  EXPECT_EQ(image.ReadPixel(1, 0), 7u);
  EXPECT_EQ(image.ReadPixel(2, 0), 7u);
  EXPECT_EQ(image.ReadPixel(3, 1), 7u);
  EXPECT_EQ(image.ReadPixel(3, 0), 0u);
  image.DrawLine(5, 5, 5, 5, 9);
  EXPECT_EQ(image.ReadPixel(5, 5), 9u) << "a line of length 0 plots its point";
}

TEST(MemoryImage, PastesRefuseWhatDoesNotFit) {
  MemoryImage canvas, cameo;
  canvas.Create(800, 20);
  cameo.Create(76, 10);
  cameo.Fill(5);
  canvas.Paste(cameo, 725, 0);  // 725 + 76 = 801
  canvas.PasteKeyed(cameo, 725, 0, 0xFF);
  canvas.Paste(cameo, -1, 0);
  for (Pixel p : PixelsOf(canvas)) ASSERT_EQ(p, 0u);
  canvas.Paste(cameo, 724, 10);
  EXPECT_EQ(canvas.ReadPixel(799, 19), 5u);
  EXPECT_EQ(canvas.ReadPixel(723, 19), 0u);
}

TEST(MemoryImage, PasteRectNeedsTheRectangleInsideBothImages) {
  MemoryImage dst, src;
  dst.Create(4, 4);
  src.Create(3, 3);
  FillPattern(src);
  dst.PasteRect(src, 1, 1, 1, 1, 3, 2);  // source overhang
  for (Pixel p : PixelsOf(dst)) ASSERT_EQ(p, 0u);
  dst.PasteRect(src, 2, 0, 1, 1, 2, 2);  // reaches exactly the right edge
  EXPECT_EQ(dst.ReadPixel(2, 0), src.ReadPixel(1, 1));
  EXPECT_EQ(dst.ReadPixel(3, 1), src.ReadPixel(2, 2));
}
