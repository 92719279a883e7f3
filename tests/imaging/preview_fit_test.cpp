#include "preview_fit.h"

#include <gtest/gtest.h>

#include <string>

#include "readable_test_name.h"

namespace {
struct FitCase {
  int imageWidth, imageHeight, paneWidth, paneHeight;
  PreviewPlacement expected;
};

class FitPreviewTable : public testing::TestWithParam<FitCase> {};

TEST_P(FitPreviewTable, Places) {
  const FitCase& c = GetParam();
  const PreviewPlacement got = FitPreview(c.imageWidth, c.imageHeight, c.paneWidth, c.paneHeight);
  EXPECT_EQ(got.x, c.expected.x);
  EXPECT_EQ(got.y, c.expected.y);
  EXPECT_EQ(got.width, c.expected.width);
  EXPECT_EQ(got.height, c.expected.height);
  EXPECT_EQ(got.scaled, c.expected.scaled);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FitPreviewTable,
    testing::Values(FitCase{100, 50, 138, 125, {19, 37, 100, 50, false}},  // fits: centred, unscaled
                    FitCase{138, 125, 138, 125, {0, 0, 138, 125, false}},  // exactly the pane
                    FitCase{400, 100, 200, 150, {0, 50, 200, 50, true}},   // fitted to the width
                    FitCase{100, 400, 200, 150, {81, 0, 37, 150, true}},   // then to the height
                    FitCase{139, 10, 138, 125, {0, 58, 138, 9, true}},     // 9.93 truncated
                    FitCase{0, 10, 138, 125, {0, 0, 0, 0, false}},         // no image
                    FitCase{10, 10, 0, 125, {0, 0, 0, 0, false}}),         // no pane
    [](const testing::TestParamInfo<FitCase>& info) {
      const FitCase& c = info.param;
      return ReadableTestName(info.index, "image " + std::to_string(c.imageWidth) + "x" +
                                              std::to_string(c.imageHeight) + " pane " + std::to_string(c.paneWidth) +
                                              "x" + std::to_string(c.paneHeight));
    });
}  // namespace
