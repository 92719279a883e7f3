#include "colourize.h"

#include <gtest/gtest.h>

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

INSTANTIATE_TEST_SUITE_P(
    Table, ColourizePixelTable,
    testing::Values(
        // Defaults divide by 256, not 255: white becomes 254, 1 becomes 0.
        PixelCase{"defaults", 0xFFFFFF, {}, 0xFEFEFE},
        PixelCase{"defaults small", 0x010203, {}, 0x000102},
        PixelCase{"top byte cleared", 0xAB000000 | 0xFFFFFF, {}, 0xFEFEFE},
        PixelCase{"levels", 0xFF8040, {0, 128, 255, 0, 255}, 0x7F7F00},
        PixelCase{"intensity 511 is white", 0x123456, {0, 255, 255, 255, 511}, 0xFFFFFF},
        PixelCase{"intensity 0 leaves 255 at 1", 0xFFFFFF, {0, 255, 255, 255, 0}, 0x010101},
        PixelCase{"intensity 383 lightens by 128", 0x000000, {0, 255, 255, 255, 383}, 0x7F7F7F},
        PixelCase{"grey ignores levels", 0xFFFFFF, {1, 0, 0, 0, 255}, 0xFEFEFE},
        PixelCase{"grey then intensity", 0xFFFFFF, {1, 0, 0, 0, 0}, 0x010101},
        PixelCase{"grey weights", 0x0000FF, {1, 255, 255, 255, 255}, 0x1B1B1B},
        // Out of range values act as the nearest control position.
        PixelCase{"level above range", 0xFFFFFF, {0, 999, 999, 999, 255}, 0xFEFEFE},
        PixelCase{"level below range", 0xFFFFFF, {0, -5, 255, 255, 255}, 0x00FEFE},
        PixelCase{"intensity above range", 0x123456, {0, 255, 255, 255, 9999}, 0xFFFFFF},
        PixelCase{"intensity below range", 0xFFFFFF, {0, 255, 255, 255, -9999}, 0x010101},
        PixelCase{"grey mode 2 is grey", 0xFFFFFF, {2, 0, 0, 0, 255}, 0xFEFEFE}));

TEST(ColourizeImage, RecomputesTheScreenshotFromTheBackup) {
  MemoryImage backup;
  ASSERT_TRUE(backup.Create(2, 1));
  backup.WritePixel(0, 0, 0xFFFFFF);
  backup.WritePixel(1, 0, 0x808080);
  MemoryImage screenshot;
  ASSERT_TRUE(screenshot.Create(5, 5));

  ASSERT_TRUE(ColourizeImage(backup, screenshot, {}));
  EXPECT_EQ(screenshot.width, 2);
  EXPECT_EQ(screenshot.height, 1);
  EXPECT_EQ(screenshot.ReadPixel(0, 0), 0xFEFEFEu);
  EXPECT_EQ(screenshot.ReadPixel(1, 0), 0x7F7F7Fu);
  EXPECT_EQ(backup.ReadPixel(0, 0), 0xFFFFFFu) << "the backup is only read";

  // A second pass over the same backup gives the same picture, not a darker one.
  ASSERT_TRUE(ColourizeImage(backup, screenshot, {}));
  EXPECT_EQ(screenshot.ReadPixel(0, 0), 0xFEFEFEu);
}

TEST(ColourizeImage, EachOkWithDefaultsDarkensOneMoreStep) {
  // Reopening the dialog after OK makes the adjusted screenshot the new backup.
  MemoryImage screenshot;
  ASSERT_TRUE(screenshot.Create(1, 1));
  screenshot.WritePixel(0, 0, 0xFFFFFF);
  for (Pixel expected : {0xFEFEFEu, 0xFDFDFDu, 0xFCFCFCu}) {
    const MemoryImage backup = screenshot;
    ASSERT_TRUE(ColourizeImage(backup, screenshot, {}));
    EXPECT_EQ(screenshot.ReadPixel(0, 0), expected);
  }
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
