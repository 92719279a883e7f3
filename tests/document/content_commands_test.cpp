#include "content_commands.h"

#include <gtest/gtest.h>

namespace {
struct CountingShell : DocumentShell {
  int repaints = 0;
  void RepaintView() override { ++repaints; }
};

MemoryImage Filled(int width, int height, Pixel colour) {
  MemoryImage image;
  EXPECT_TRUE(image.Create(width, height));
  image.Fill(colour);
  return image;
}
}  // namespace

TEST(ContentCommands, CameoSlotsTakeOnly76x60AndRepaint) {
  CountingShell shell;
  LoadScreenDocument doc(&shell);
  ASSERT_TRUE(SetCameo(doc, 2, Filled(76, 60, 0x123456)));
  EXPECT_EQ(doc.cameos[2].ReadPixel(75, 59), 0x123456u);
  EXPECT_EQ(shell.repaints, 1);

  // Refused: nothing changes, nothing is repainted.
  EXPECT_FALSE(SetCameo(doc, 2, Filled(76, 61, 1)));
  EXPECT_FALSE(SetCameo(doc, 2, MemoryImage()));
  EXPECT_FALSE(SetCameo(doc, 3, Filled(76, 60, 1)));
  EXPECT_FALSE(SetCameo(doc, -1, Filled(76, 60, 1)));
  EXPECT_FALSE(ClearCameo(doc, 3));
  EXPECT_EQ(doc.cameos[2].ReadPixel(0, 0), 0x123456u);
  EXPECT_EQ(shell.repaints, 1);

  ASSERT_TRUE(ClearCameo(doc, 2));
  EXPECT_FALSE(doc.cameos[2].valid);
  EXPECT_EQ(shell.repaints, 2);
}

TEST(ContentCommands, ScreenshotIsExactly234x232AndRestoresFromItsBackup) {
  CountingShell shell;
  LoadScreenDocument doc(&shell);
  EXPECT_FALSE(SetScreenshot(doc, Filled(235, 232, 1)));
  EXPECT_FALSE(SetScreenshot(doc, Filled(234, 231, 1)));
  EXPECT_FALSE(doc.screenshot.valid);
  EXPECT_EQ(shell.repaints, 0);

  ASSERT_TRUE(SetScreenshot(doc, Filled(234, 232, 0xABCDEF)));
  EXPECT_EQ(shell.repaints, 1);
  ASSERT_TRUE(BackupScreenshot(doc));
  EXPECT_EQ(shell.repaints, 1) << "a backup draws nothing new";
  doc.screenshot.Fill(0);
  ASSERT_TRUE(RestoreScreenshot(doc));
  EXPECT_EQ(doc.screenshot.width, 234);
  EXPECT_EQ(doc.screenshot.ReadPixel(233, 231), 0xABCDEFu);
  EXPECT_EQ(shell.repaints, 2);
  // The backup is a copy, not shared pixels.
  doc.screenshot.Fill(0);
  EXPECT_EQ(doc.screenshotBackup.ReadPixel(0, 0), 0xABCDEFu);
}
