#include "letterbox_fit.h"

#include <gtest/gtest.h>

namespace {

struct Case {
  int imageWidth, imageHeight, paneWidth, paneHeight;
  int x, y, width, height;
};

// One row per rule: bars at the sides or top and bottom, up- and down-scaling, a pane of
// the picture's own shape, a sliver kept at 1 pixel, and nothing to draw.
TEST(LetterboxFit, KeepsTheProportionsAndCentres) {
  const Case kCases[] = {
      {320, 300, 800, 300, 240, 0, 320, 300},  // wide pane: bars left and right
      {320, 300, 320, 600, 0, 150, 320, 300},  // tall pane: bars above and below
      {320, 300, 960, 600, 160, 0, 640, 600},  // scaled up by 2
      {1000, 500, 300, 300, 0, 75, 300, 150},  // scaled down
      {640, 480, 320, 240, 0, 0, 320, 240},    // same shape: no bars
      {300, 200, 100, 100, 0, 17, 100, 66},    // 66.67 rounds down, offset (100 - 66) / 2
      {16384, 1, 100, 100, 0, 49, 100, 1},     // a sliver stays 1 pixel high
      {0, 300, 100, 100, 0, 0, 0, 0},         {320, 300, 0, 100, 0, 0, 0, 0},
  };
  for (const Case& c : kCases) {
    const Letterbox box = FitLetterbox(c.imageWidth, c.imageHeight, c.paneWidth, c.paneHeight);
    EXPECT_EQ(box.x, c.x) << c.imageWidth << "x" << c.imageHeight << " in " << c.paneWidth << "x" << c.paneHeight;
    EXPECT_EQ(box.y, c.y) << c.imageWidth << "x" << c.imageHeight << " in " << c.paneWidth << "x" << c.paneHeight;
    EXPECT_EQ(box.width, c.width) << c.imageWidth << "x" << c.imageHeight << " in " << c.paneWidth << "x"
                                  << c.paneHeight;
    EXPECT_EQ(box.height, c.height) << c.imageWidth << "x" << c.imageHeight << " in " << c.paneWidth << "x"
                                    << c.paneHeight;
  }
}

}  // namespace
