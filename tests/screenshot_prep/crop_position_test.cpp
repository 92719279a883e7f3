#include "crop_position.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "readable_test_name.h"

namespace {

constexpr int kBoxWidth = 234;
constexpr int kBoxHeight = 232;

TEST(CropUpDownRange, IsOneMoreThanThePositionLimit) {
  EXPECT_EQ(CropUpDownRange(300, kBoxWidth).maximum, 66);
  EXPECT_EQ(CropUpDownRange(300, kBoxHeight).maximum, 68);
  EXPECT_EQ(CropUpDownRange(400, kBoxHeight).maximum, 168);
  EXPECT_EQ(CropUpDownRange(234, kBoxWidth).maximum, 0);
  EXPECT_EQ(CropUpDownRange(100, kBoxWidth).maximum, 0);
  EXPECT_EQ(CropUpDownRange(300, kBoxWidth).minimum, 0);
}

struct ClampCase {
  std::uint32_t value;
  int sourceSize;
  int cropSize;
  int expected;
};

class ClampCropPositionTable : public testing::TestWithParam<ClampCase> {};

TEST_P(ClampCropPositionTable, Clamps) {
  const ClampCase& c = GetParam();
  EXPECT_EQ(ClampCropPosition(c.value, c.sourceSize, c.cropSize), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, ClampCropPositionTable,
                         testing::Values(ClampCase{0, 300, kBoxWidth, 0}, ClampCase{65, 300, kBoxWidth, 65},
                                         ClampCase{66, 300, kBoxWidth, 65},  // the up-down's top value
                                         ClampCase{99, 300, kBoxWidth, 65}, ClampCase{67, 300, kBoxHeight, 67},
                                         ClampCase{68, 300, kBoxHeight, 67}, ClampCase{0xFFFFFFFFu, 300, kBoxWidth, 0},
                                         ClampCase{0x80000000u, 300, kBoxWidth, 0},
                                         ClampCase{0x7FFFFFFFu, 300, kBoxWidth, 65}, ClampCase{0, 234, kBoxWidth, 0},
                                         ClampCase{5, 234, kBoxWidth, 0}, ClampCase{167, 400, kBoxHeight, 167},
                                         ClampCase{168, 400, kBoxHeight, 167}, ClampCase{5, 100, kBoxWidth, 0}),
                         [](const testing::TestParamInfo<ClampCase>& info) {
                           const ClampCase& c = info.param;
                           return ReadableTestName(info.index, "value " + std::to_string(c.value) + " source " +
                                                                   std::to_string(c.sourceSize) + " crop " +
                                                                   std::to_string(c.cropSize));
                         });

struct ClickCase {
  int mouse;
  int clientSize;
  int sourceSize;
  int cropSize;
  int expected;
};

class CropPositionFromClickTable : public testing::TestWithParam<ClickCase> {};

TEST_P(CropPositionFromClickTable, CentresTheBoxOnTheClick) {
  const ClickCase& c = GetParam();
  EXPECT_EQ(CropPositionFromClick(c.mouse, c.clientSize, c.sourceSize, c.cropSize), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, CropPositionFromClickTable,
                         testing::Values(
                             // 300 x 300 source in a 400 x 300 preview.
                             ClickCase{200, 400, 300, kBoxWidth, 33}, ClickCase{150, 300, 300, kBoxHeight, 34},
                             ClickCase{0, 400, 300, kBoxWidth, 0}, ClickCase{0, 300, 300, kBoxHeight, 0},
                             ClickCase{399, 400, 300, kBoxWidth, 300 - 235},
                             ClickCase{299, 300, 300, kBoxHeight, 300 - 233},
                             // 204 / (350 / 300) = 174.86: truncated, not rounded.
                             ClickCase{204, 350, 300, kBoxWidth, 57},
                             // The half is an integer division: 233 / 2 = 116, so 150 - 116 = 34.
                             ClickCase{150, 300, 300, 233, 34},
                             // A source exactly as wide as the box keeps 0.
                             ClickCase{300, 400, 234, kBoxWidth, 0},
                             // An empty preview or source.
                             ClickCase{10, 0, 300, kBoxWidth, 0}, ClickCase{10, 400, 0, kBoxWidth, 0},
                             // A tiny preview of a huge source: far beyond the int range before clamping.
                             ClickCase{65535, 1, 2000000000, kBoxWidth, 2000000000 - 235}),
                         [](const testing::TestParamInfo<ClickCase>& info) {
                           const ClickCase& c = info.param;
                           return ReadableTestName(info.index, "mouse " + std::to_string(c.mouse) + " client " +
                                                                   std::to_string(c.clientSize) + " source " +
                                                                   std::to_string(c.sourceSize) + " crop " +
                                                                   std::to_string(c.cropSize));
                         });

}  // namespace
