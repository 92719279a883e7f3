#include "colourize.h"

#include <gtest/gtest.h>

#include "readable_test_name.h"

namespace {

struct PixelCase {
  const char* name;
  Pixel input;
  ColourizeSettings settings;
  Pixel expected;
};

class ColourizePixelTable : public testing::TestWithParam<PixelCase> {};

TEST_P(ColourizePixelTable, Transforms) {
  const PixelCase& c = GetParam();
  EXPECT_EQ(ColourizePixel(c.input, c.settings), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Table, ColourizePixelTable,
                         testing::Values(
                             // Levels are fractions of 255: the defaults leave every channel as it is.
                             PixelCase{"defaults", 0xFFFFFF, {}, 0xFFFFFF},
                             PixelCase{"defaults small", 0x010203, {}, 0x010203},
                             PixelCase{"top byte cleared", 0xAB000000 | 0xFFFFFF, {}, 0xFFFFFF},
                             PixelCase{"levels", 0xFF8040, {0, 128, 255, 0, 255}, 0x808000},
                             PixelCase{"level 254", 0xFF0101, {0, 254, 254, 254, 255}, 0xFE0000},
                             PixelCase{"level 1", 0xFF8080, {0, 1, 1, 1, 255}, 0x010000},
                             PixelCase{"intensity 511 is white", 0x123456, {0, 255, 255, 255, 511}, 0xFFFFFF},
                             PixelCase{"intensity 0 leaves 255 at 1", 0xFFFFFF, {0, 255, 255, 255, 0}, 0x010101},
                             PixelCase{"intensity 383 lightens by 128", 0x000000, {0, 255, 255, 255, 383}, 0x7F7F7F},
                             PixelCase{"grey ignores levels", 0xFFFFFF, {1, 0, 0, 0, 255}, 0xFEFEFE},
                             PixelCase{"grey then intensity", 0xFFFFFF, {1, 0, 0, 0, 0}, 0x010101},
                             PixelCase{"grey weights", 0x0000FF, {1, 255, 255, 255, 255}, 0x1B1B1B},
                             // Out of range values act as the nearest control position.
                             PixelCase{"level above range", 0xFFFFFF, {0, 999, 999, 999, 255}, 0xFFFFFF},
                             PixelCase{"level below range", 0xFFFFFF, {0, -5, 255, 255, 255}, 0x00FFFF},
                             PixelCase{"intensity above range", 0x123456, {0, 255, 255, 255, 9999}, 0xFFFFFF},
                             PixelCase{"intensity below range", 0xFFFFFF, {0, 255, 255, 255, -9999}, 0x010101},
                             PixelCase{"grey mode ignores the levels", 0xFFFFFF, {true, 0, 0, 0, 255}, 0xFEFEFE}),
                         [](const testing::TestParamInfo<PixelCase>& info) {
                           return ReadableTestName(info.index, info.param.name);
                         });

TEST(ColourizeImage, RecomputesTheScreenshotFromTheBackup) {
  MemoryImage backup;
  ASSERT_TRUE(backup.Create(2, 1));
  backup.WritePixel(0, 0, 0xFFFFFF);
  backup.WritePixel(1, 0, 0x808080);
  MemoryImage screenshot;
  ASSERT_TRUE(screenshot.Create(5, 5));

  const ColourizeSettings halfRed{0, 128, 255, 255, 255};
  ASSERT_TRUE(ColourizeImage(backup, screenshot, halfRed));
  EXPECT_EQ(screenshot.width, 2);
  EXPECT_EQ(screenshot.height, 1);
  EXPECT_EQ(screenshot.ReadPixel(0, 0), 0x80FFFFu);
  EXPECT_EQ(screenshot.ReadPixel(1, 0), 0x408080u);
  EXPECT_EQ(backup.ReadPixel(0, 0), 0xFFFFFFu) << "the backup is only read";

  // A second pass over the same backup gives the same picture, not a darker one.
  ASSERT_TRUE(ColourizeImage(backup, screenshot, halfRed));
  EXPECT_EQ(screenshot.ReadPixel(0, 0), 0x80FFFFu);
}

TEST(ColourizeImage, RepeatedOksAtTheDefaultsChangeNothing) {
  // Reopening the dialog after OK makes the adjusted screenshot the new backup.
  MemoryImage screenshot;
  ASSERT_TRUE(screenshot.Create(1, 1));
  screenshot.WritePixel(0, 0, 0xFF7F01);
  for (int round = 0; round < 3; ++round) {
    const MemoryImage backup = screenshot;
    ASSERT_TRUE(ColourizeImage(backup, screenshot, {}));
    EXPECT_EQ(screenshot.ReadPixel(0, 0), 0xFF7F01u) << round;
  }
}

TEST(ColourizeScreenshot, WorksFromTheDocumentsBackupAndRepaints) {
  struct CountingShell : DocumentShell {
    int repaints = 0;
    void RepaintView() override { ++repaints; }
  } shell;
  LoadScreenDocument doc(&shell);
  ASSERT_TRUE(doc.screenshotBackup.Create(1, 1));
  doc.screenshotBackup.WritePixel(0, 0, 0xFFFFFF);
  ASSERT_TRUE(ColourizeScreenshot(doc, {1, 0, 0, 0, 0}));
  EXPECT_EQ(doc.screenshot.ReadPixel(0, 0), 0x010101u) << "grey 254, then darkened by 255";
  ASSERT_TRUE(ColourizeScreenshot(doc, {}));
  EXPECT_EQ(doc.screenshot.ReadPixel(0, 0), 0xFFFFFFu) << "from the backup again";
  EXPECT_EQ(shell.repaints, 2);
}

TEST(ColourizeImage, EmptyBackupGivesAnEmptyScreenshot) {
  MemoryImage backup;
  MemoryImage screenshot;
  ASSERT_TRUE(screenshot.Create(3, 3));
  EXPECT_TRUE(ColourizeImage(backup, screenshot, {}));
  EXPECT_FALSE(screenshot.valid);
  EXPECT_EQ(screenshot.width, 0);
}

}  // namespace
