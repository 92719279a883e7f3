#include "scaled_crop.h"

#include <gtest/gtest.h>

#include "crop_image.h"
#include "memory_image.h"

namespace {

MemoryImage Patterned(int width, int height) {
  MemoryImage image;
  image.Create(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.WritePixel(x, y, MakePixel(x * 7, y * 5, (x ^ y) & 0xFF));
  return image;
}

TEST(ScaledCrop, RegionsAndTheSmallestScaleThatFits) {
  EXPECT_EQ(ScaledRegion(100, 234, 232).width, 234);
  EXPECT_EQ(ScaledRegion(50, 234, 232).height, 464);
  EXPECT_EQ(ScaledRegion(30, 234, 232).width, 780);   // 23400 / 30
  EXPECT_EQ(ScaledRegion(39, 234, 232).height, 594);  // 23200 / 39, rounded down
  EXPECT_EQ(ScaledRegion(10, 234, 232).width, 2340);
  struct Case {
    int width, height, smallest;
  };
  for (const Case& c : {Case{800, 600, 39}, Case{300, 280, 83}, Case{1024, 768, 31}, Case{234, 232, 100},
                        Case{235, 4000, 100}, Case{236, 4000, 99}, Case{5000, 5000, 10}, Case{100, 100, 100}})
    EXPECT_EQ(SmallestFittingScale(c.width, c.height, 234, 232), c.smallest) << c.width << " x " << c.height;
  EXPECT_TRUE(ScaleFitProblem(83, 300, 280, 234, 232).empty());
  EXPECT_EQ(ScaleFitProblem(82, 300, 280, 234, 232),
            "the region 285 x 282 is larger than the picture (300 x 280); the smallest scale for it is 83");
}

TEST(ScaledCrop, FullScaleIsThePlainCrop) {
  const MemoryImage source = Patterned(300, 280);
  MemoryImage scaled, cropped;
  ASSERT_TRUE(CropAndScale(scaled, source, 65, 47, 100, 234, 232));
  ASSERT_TRUE(CropImage(cropped, source, 65, 47, 234, 232));
  for (int y = 0; y < 232; ++y)
    for (int x = 0; x < 234; ++x) ASSERT_EQ(scaled.ReadPixel(x, y), cropped.ReadPixel(x, y)) << x << "," << y;
}

// Shrinking averages light, not sRGB numbers: black and white columns at half scale give
// the sRGB value of half the light (188), not 128. A plain colour stays exactly that colour.
TEST(ScaledCrop, ShrinksInLinearLight) {
  MemoryImage stripes;
  stripes.Create(468, 464);
  for (int y = 0; y < 464; ++y)
    for (int x = 0; x < 468; ++x) stripes.WritePixel(x, y, x % 2 ? 0xFFFFFF : 0);
  MemoryImage shot;
  ASSERT_TRUE(CropAndScale(shot, stripes, 0, 0, 50, 234, 232));
  ASSERT_EQ(shot.width, 234);
  ASSERT_EQ(shot.height, 232);
  EXPECT_NEAR(static_cast<int>(GreenOf(shot.ReadPixel(117, 116))), 188, 1);

  MemoryImage plain;
  plain.Create(800, 600);
  plain.Fill(0x3C7AB1);
  ASSERT_TRUE(CropAndScale(shot, plain, 12, 3, 40, 234, 232));
  for (int y = 0; y < 232; ++y)
    for (int x = 0; x < 234; ++x) ASSERT_EQ(shot.ReadPixel(x, y), 0x3C7AB1u) << x << "," << y;
}

TEST(ScaledCrop, RefusesRegionsOutsideTheSourceAndBadScales) {
  const MemoryImage source = Patterned(300, 280);
  MemoryImage kept = Patterned(3, 3);
  EXPECT_FALSE(CropAndScale(kept, source, 0, 0, 82, 234, 232));   // 285 x 282 region
  EXPECT_FALSE(CropAndScale(kept, source, 20, 0, 83, 234, 232));  // 281 wide from 20
  EXPECT_FALSE(CropAndScale(kept, source, -1, 0, 90, 234, 232));
  EXPECT_FALSE(CropAndScale(kept, source, 0, 0, 9, 234, 232));
  EXPECT_FALSE(CropAndScale(kept, source, 0, 0, 101, 234, 232));
  EXPECT_FALSE(CropAndScale(kept, MemoryImage(), 0, 0, 50, 234, 232));
  EXPECT_EQ(kept.width, 3);
  // The source may be the destination.
  MemoryImage same = Patterned(300, 280);
  ASSERT_TRUE(CropAndScale(same, same, 19, 1, 83, 234, 232));
  EXPECT_EQ(same.width, 234);
}

}  // namespace
