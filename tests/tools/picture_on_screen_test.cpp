#include "picture_on_screen.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

struct Pixels {
  std::vector<std::uint32_t> data;
  int width, height;
  Pixels(int w, int h, std::uint32_t fill) : data(static_cast<std::size_t>(w) * h, fill), width(w), height(h) {}
  std::uint32_t& At(int x, int y) { return data[static_cast<std::size_t>(y) * width + x]; }
  PixelRows Rows() const { return {data.data(), width, height, width}; }
};

// A picture with some flat parts (a frame) and noise, as a load screen has.
Pixels Picture(int width, int height) {
  Pixels picture(width, height, 0);
  std::mt19937 random(7);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) picture.At(x, y) = x < 6 || y < 6 ? 0x203040 : random() & 0xFFFFFF;
  return picture;
}

// A white window with the part of `picture` that falls inside it drawn at (x, y); the top
// byte of the window's pixels is noise, as an X image's can be.
Pixels WindowShowing(Pixels& picture, int width, int height, int atX, int atY) {
  Pixels window(width, height, 0xFFFFFF);
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x)
      if (atX + x >= 0 && atX + x < width && atY + y >= 0 && atY + y < height)
        window.At(atX + x, atY + y) = picture.At(x, y) | 0xAB000000;
  return window;
}

TEST(PictureOnScreen, FindsThePictureWhereItShowsWholeOrInPart) {
  Pixels picture = Picture(200, 130);
  const PictureOnScreen locator(picture.Rows());
  struct Case {
    int windowWidth, windowHeight, x, y;
  } cases[] = {{300, 200, 40, 33}, {200, 130, 0, 0}, {150, 100, -30, -20}, {160, 90, 10, -35}};
  for (const Case& c : cases) {
    const Pixels window = WindowShowing(picture, c.windowWidth, c.windowHeight, c.x, c.y);
    const std::optional<ScreenOffset> at = locator.Find(window.Rows());
    ASSERT_TRUE(at.has_value()) << c.x << "," << c.y;
    EXPECT_EQ(at->x, c.x);
    EXPECT_EQ(at->y, c.y);
    EXPECT_TRUE(locator.ShownAt(window.Rows(), {c.x, c.y}));
    EXPECT_FALSE(locator.ShownAt(window.Rows(), {c.x + 1, c.y}));
  }
}

// The editor's view differs from the tool's picture along the zoom lines: a few pixels in a
// thousand may differ, a part not drawn yet may not.
TEST(PictureOnScreen, AllowsOneDifferenceInTwoHundredPixelsButNotAPartMissing) {
  Pixels picture = Picture(200, 130);
  const PictureOnScreen locator(picture.Rows());
  Pixels window = WindowShowing(picture, 300, 200, 50, 40);
  for (int i = 0; i < 120; ++i) window.At(50 + 30 + i, 40 + 20 + i / 2) ^= 0x010101;  // under 1 in 200
  EXPECT_TRUE(locator.Find(window.Rows()).has_value());

  Pixels partly = WindowShowing(picture, 300, 200, 50, 40);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) partly.At(50 + 140 + x, 40 + 70 + y) = 0xFFFFFF;  // a box not drawn yet
  EXPECT_FALSE(locator.Find(partly.Rows()).has_value());
  EXPECT_FALSE(locator.ShownAt(partly.Rows(), {50, 40}));

  // Under half of the picture's columns inside the window is not enough.
  const Pixels edge = WindowShowing(picture, 300, 200, 300 - 90, 40);
  EXPECT_FALSE(locator.Find(edge.Rows()).has_value());
  EXPECT_FALSE(locator.Find(Pixels(300, 200, 0xFFFFFF).Rows()).has_value());
}

TEST(PictureOnScreen, APictureOfOneColourIsNeverFound) {
  const Pixels flat(50, 40, 0x336699);
  const PictureOnScreen locator(flat.Rows());
  Pixels window(100, 100, 0x336699);
  EXPECT_FALSE(locator.Find(window.Rows()).has_value());
}

}  // namespace
