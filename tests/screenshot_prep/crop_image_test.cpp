#include "crop_image.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dib_image.h"
#include "memory_image.h"

namespace {

// Pixel (x, y) of the test source is 0x00YYXX.
void FillNumbered(Image& image, int width, int height) {
  ASSERT_TRUE(image.Create(width, height));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.WritePixel(x, y, static_cast<Pixel>(y << 8 | x));
}

std::vector<Pixel> PixelsOf(const Image& image) {
  std::vector<Pixel> pixels;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) pixels.push_back(image.ReadPixel(x, y));
  return pixels;
}

TEST(CropImage, CopiesExactlyTheBox) {
  MemoryImage source;
  FillNumbered(source, 5, 4);
  MemoryImage memoryDestination;
  DibImage dibDestination;
  for (Image* destination : {static_cast<Image*>(&memoryDestination), static_cast<Image*>(&dibDestination)}) {
    ASSERT_TRUE(CropImage(*destination, source, 2, 1, 3, 2));
    EXPECT_EQ(destination->width, 3);
    EXPECT_EQ(destination->height, 2);
    EXPECT_EQ(PixelsOf(*destination), (std::vector<Pixel>{0x102, 0x103, 0x104, 0x202, 0x203, 0x204}));
  }
}

TEST(CropImage, RefusesBoxesOutsideTheSourceAndLeavesTheDestination) {
  MemoryImage source;
  FillNumbered(source, 5, 4);
  MemoryImage destination;
  ASSERT_TRUE(destination.Create(1, 1));
  destination.WritePixel(0, 0, 0xABCDEF);
  struct Box {
    int x, y, w, h;
  };
  for (const Box& box : {Box{3, 0, 3, 1}, Box{0, 2, 1, 3}, Box{-1, 0, 2, 2}, Box{0, 0, 0, 1}, Box{0, 0, 1, -1},
                         Box{1, 1, 0x7FFFFFFF, 1}}) {
    EXPECT_FALSE(CropImage(destination, source, box.x, box.y, box.w, box.h)) << box.x << "," << box.y;
    EXPECT_EQ(PixelsOf(destination), (std::vector<Pixel>{0xABCDEF}));
  }
  MemoryImage empty;
  EXPECT_FALSE(CropImage(destination, empty, 0, 0, 1, 1));
}

TEST(CropImage, MayCropAnImageIntoItself) {
  MemoryImage image;
  FillNumbered(image, 4, 4);
  ASSERT_TRUE(CropImage(image, image, 1, 2, 2, 2));
  EXPECT_EQ(PixelsOf(image), (std::vector<Pixel>{0x201, 0x202, 0x301, 0x302}));
}

// Renders the preview of a grey (200) image: '.' darkened (100), 'o' unchanged, 'W' white.
std::vector<std::string> Preview(int width, int height, int x, int y, int w, int h) {
  MemoryImage image;
  EXPECT_TRUE(image.Create(width, height));
  image.Fill(0xC8C8C8);
  DarkenOutsideCrop(image, x, y, w, h);
  std::vector<std::string> rows;
  for (int row = 0; row < height; ++row) {
    std::string text;
    for (int column = 0; column < width; ++column) {
      const Pixel p = image.ReadPixel(column, row);
      text += p == 0x646464 ? '.' : p == 0xC8C8C8 ? 'o' : p == 0xFFFFFF ? 'W' : '?';
    }
    rows.push_back(text);
  }
  return rows;
}

TEST(DarkenOutsideCrop, DarkensAroundTheBoxAndOutlinesAllFourEdges) {
  // The outline's top row and left column lie on the box, its right column and bottom row
  // one pixel beyond it, corners closed.
  EXPECT_EQ(Preview(6, 6, 1, 1, 3, 3), (std::vector<std::string>{
                                           "......",
                                           ".WWWW.",
                                           ".WooW.",
                                           ".WooW.",
                                           ".WWWW.",
                                           "......",
                                       }));
}

TEST(DarkenOutsideCrop, KeepsTheEdgesOnThePictureWhereTheBoxReachesIt) {
  // As wide as the picture: the right edge on its last column. As high: the bottom on the last row.
  EXPECT_EQ(Preview(3, 5, 0, 1, 3, 2), (std::vector<std::string>{"...", "WWW", "WoW", "WWW", "..."}));
  EXPECT_EQ(Preview(5, 2, 2, 0, 2, 2), (std::vector<std::string>{"..WWW", "..WWW"}));
}

TEST(DarkenOutsideCrop, CutsABoxThatOverhangsTheImage) {
  EXPECT_EQ(Preview(4, 3, 2, 1, 0x7FFFFFFF, 0x7FFFFFFF), (std::vector<std::string>{"....", "..WW", "..WW"}));
  EXPECT_EQ(Preview(2, 2, -5, -5, 3, 3), (std::vector<std::string>{"..", ".."}));
}

TEST(CropOutline, DrawnStretchedEachEdgeStartsItsPixelsPlace) {
  const CropOutline outline = CropOutlineOf(480, 300, 245, 67, 234, 232);
  EXPECT_EQ(outline.right, 479);  // 245 + 234 lies past the picture: its last column
  EXPECT_EQ(outline.bottom, 299);
  // At 1:1 the outline's own pixels, moved by the picture's place.
  const CropOutline same = OutlineAsDrawn(outline, 480, 300, 10, 20, 480, 300);
  EXPECT_EQ((std::vector<int>{same.left, same.top, same.right, same.bottom}), (std::vector<int>{255, 87, 489, 319}));
  // Shrunk to half: every edge still lands on a pixel of the drawn picture.
  const CropOutline half = OutlineAsDrawn(CropOutlineOf(480, 300, 100, 40, 234, 232), 480, 300, 0, 0, 240, 150);
  EXPECT_EQ((std::vector<int>{half.left, half.top, half.right, half.bottom}), (std::vector<int>{50, 20, 167, 136}));
  // Enlarged three times: an edge at the start of its pixel's 3 x 3 block.
  const CropOutline large = OutlineAsDrawn(CropOutlineOf(240, 240, 2, 3, 234, 232), 240, 240, 0, 0, 720, 720);
  EXPECT_EQ((std::vector<int>{large.left, large.top, large.right, large.bottom}), (std::vector<int>{6, 9, 708, 705}));
}

}  // namespace
