// DrawLine clips its walk by arithmetic: every line must plot exactly the pixels of the plain
// pixel-by-pixel walk, and a line reaching a billion pixels away must come back at once.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "dib_image.h"
#include "line_walk.h"
#include "memory_image.h"

namespace {

// The walks as they were before clipping, plotting every step.
void PlainWalk(Image& image, int x0, int y0, int x1, int y1, Pixel colour, bool pastN) {
  const long long dx = static_cast<long long>(x1) - x0, dy = static_cast<long long>(y1) - y0;
  const int sx = (dx > 0) - (dx < 0), sy = (dy > 0) - (dy < 0);
  const long long ax = std::llabs(dx), ay = std::llabs(dy), n = ax > ay ? ax : ay;
  long long ex = 0, ey = 0;
  int x = x0, y = y0;
  for (long long i = 0; i < (pastN ? n + 2 : n); ++i) {
    image.WritePixel(x, y, colour);
    ex += ax;
    ey += ay;
    if (pastN ? ex > n : ex >= n) {
      ex -= n;
      x += sx;
    }
    if (pastN ? ey > n : ey >= n) {
      ey -= n;
      y += sy;
    }
  }
}

template <typename ImageType>
void ExpectSameAsPlainWalk(bool pastN) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> coordinate(-40, 60);
  for (int trial = 0; trial < 3000; ++trial) {
    ImageType clipped, plain;
    ASSERT_TRUE(clipped.Create(31, 17) && plain.Create(31, 17));
    clipped.Fill(0);
    plain.Fill(0);
    const int x0 = coordinate(random), y0 = coordinate(random), x1 = coordinate(random), y1 = coordinate(random);
    clipped.DrawLine(x0, y0, x1, y1, 0xFFFFFF);
    PlainWalk(plain, x0, y0, x1, y1, 0xFFFFFF, pastN);
    for (int y = 0; y < 17; ++y)
      for (int x = 0; x < 31; ++x)
        ASSERT_EQ(clipped.ReadPixel(x, y), plain.ReadPixel(x, y))
            << "line " << x0 << "," << y0 << " to " << x1 << "," << y1 << " at " << x << "," << y;
  }
}

TEST(LineWalk, ClippedLinesPlotThePlainWalksPixels) {
  ExpectSameAsPlainWalk<MemoryImage>(true);
  ExpectSameAsPlainWalk<DibImage>(false);
}

TEST(LineWalk, FarOffEndsKeepTheVisiblePixels) {
  // Walked pixel by pixel these would take billions of steps; clipped, only the steps that
  // land inside the picture are walked.
  for (const LineWalk::Moves moves : {LineWalk::Moves::kAtN, LineWalk::Moves::kPastN}) {
    const LineWalk across(-2000000000, 2000000000, 2000000000, -2000000000, moves);
    const LineWalk down(7, -1000000000, 20, 25, moves);
    for (const LineWalk* walk : {&across, &down}) {
      long long first, last, walked = 0;
      walk->StepsInside(40, 30, first, last);
      walk->ForEachPointInside(40, 30, [&walked](int, int) { ++walked; });
      EXPECT_GT(walk->steps, 1000000000);
      EXPECT_EQ(walked, last - first);
      EXPECT_LE(walked, 30);
    }
  }
  MemoryImage image;
  ASSERT_TRUE(image.Create(40, 30));
  image.Fill(0);
  image.DrawLine(-2000000000, 2000000000, 2000000000, -2000000000, 0xFF);  // x + y == 0 all along
  int lit = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) lit += image.ReadPixel(x, y) != 0;
  EXPECT_EQ(lit, 1);
  EXPECT_EQ(image.ReadPixel(0, 0), 0xFFu);
  image.Fill(0);
  image.DrawLine(7, -1000000000, 20, 25, 0xFF);  // ends one step short of its last row
  for (int y = 0; y < 26; ++y) {
    int inRow = 0;
    for (int x = 0; x < 40; ++x) inRow += image.ReadPixel(x, y) != 0;
    EXPECT_EQ(inRow, 1) << "row " << y;
    EXPECT_TRUE(image.ReadPixel(19, y) || image.ReadPixel(20, y)) << "row " << y;
  }
}

}  // namespace
