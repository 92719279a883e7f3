#include "window_placement.h"

#include <gtest/gtest.h>

#include "interface_language.h"

namespace {

TEST(WindowPlacement, ReadsBackWhatItWritesBesideTheLanguage) {
  const WindowPlacement saved{-8, 30, 1024, 700, true};
  const std::string text = FormatInterfaceLanguage(InterfaceLanguage::English) + FormatWindowPlacement(saved);
  WindowPlacement read;
  ASSERT_TRUE(ParseWindowPlacement(text, read));
  EXPECT_EQ(read.left, -8);
  EXPECT_EQ(read.top, 30);
  EXPECT_EQ(read.width, 1024);
  EXPECT_EQ(read.height, 700);
  EXPECT_TRUE(read.maximized);
  EXPECT_EQ(ParseInterfaceLanguage(text), InterfaceLanguage::English);
}

// Anything short of a complete, sane section is no placement, and leaves the old one.
TEST(WindowPlacement, IncompleteOrDamagedSectionsAreNoPlacement) {
  const char* const kTexts[] = {
      "",
      "[Interface]\r\nLanguage=English\r\n",
      "[Window]\r\nLeft=1\r\nTop=2\r\nWidth=3\r\nMaximized=no\r\n",              // no height
      "[Window]\r\nLeft=1\r\nTop=2\r\nWidth=3\r\nHeight=x\r\nMaximized=no\r\n",  // not a number
      "[Window]\r\nLeft=1\r\nTop=2\r\nWidth=0\r\nHeight=4\r\nMaximized=no\r\n",  // no width
      "[Window]\r\nLeft=1\r\nTop=2\r\nWidth=3\r\nHeight=4\r\nMaximized=maybe\r\n",
      "[Window]\r\nLeft=9999999\r\nTop=2\r\nWidth=3\r\nHeight=4\r\nMaximized=no\r\n",
      "[Other]\r\nLeft=1\r\nTop=2\r\nWidth=3\r\nHeight=4\r\nMaximized=no\r\n",
  };
  for (const char* text : kTexts) {
    WindowPlacement read{5, 6, 7, 8, false};
    EXPECT_FALSE(ParseWindowPlacement(text, read)) << text;
    EXPECT_EQ(read.left, 5) << text;
  }
}

// A damaged settings file's placement opens at a size one can work with, on the screen.
TEST(WindowPlacement, FittingOnTheScreenGivesASaneSize) {
  const ScreenRect area{0, 0, 1920, 1040};
  struct Case {
    ScreenRect window;
    ScreenRect expected;
  };
  const Case cases[] = {
      {{100, 100, 101, 101}, {100, 100, 740, 580}},             // 1 x 1: the minimum size
      {{5, 5, 99999, 99999}, {0, 0, 1920, 1040}},               // 99999: the work area
      {{-99999, -99999, 0, 0}, {0, 0, 1920, 1040}},             // as large, far off
      {{99990, 99990, 99999, 99999}, {1280, 560, 1920, 1040}},  // far off, tiny: minimum, moved in
      {{200, 150, 1224, 850}, {200, 150, 1224, 850}},           // a sane one stays as it is
  };
  for (const Case& c : cases) {
    const ScreenRect fitted = FitWindowOnScreen(c.window, area, 640, 480);
    EXPECT_EQ(fitted.left, c.expected.left) << c.window.left << "," << c.window.top;
    EXPECT_EQ(fitted.top, c.expected.top) << c.window.left << "," << c.window.top;
    EXPECT_EQ(fitted.right, c.expected.right) << c.window.left << "," << c.window.top;
    EXPECT_EQ(fitted.bottom, c.expected.bottom) << c.window.left << "," << c.window.top;
  }
  // A screen smaller than the window's minimum: the minimum, its top left corner on the screen.
  const ScreenRect small = FitWindowOnScreen({50, 50, 51, 51}, {0, 0, 600, 400}, 640, 480);
  EXPECT_EQ(small.left, 0);
  EXPECT_EQ(small.top, 0);
  EXPECT_EQ(small.right - small.left, 640);
  EXPECT_EQ(small.bottom - small.top, 480);
}

TEST(WindowPlacement, ReplacingASectionKeepsTheOthers) {
  const std::string section = "[Window]\r\nLeft=1\r\n";
  EXPECT_EQ(ReplaceIniSection("", "Window", section), section);
  EXPECT_EQ(ReplaceIniSection("[Interface]\r\nLanguage=English", "Window", section),
            "[Interface]\r\nLanguage=English\r\n" + section);
  EXPECT_EQ(ReplaceIniSection("; mine\r\n[window]\r\nLeft=9\r\nTop=9\r\n[Interface]\r\nLanguage=English\r\n", "Window",
                              section),
            "; mine\r\n" + section + "[Interface]\r\nLanguage=English\r\n");
  EXPECT_EQ(ReplaceIniSection("[Window]\r\nLeft=9\r\n[Interface]\r\nLanguage=Chinese\r\n", "Interface",
                              FormatInterfaceLanguage(InterfaceLanguage::English)),
            "[Window]\r\nLeft=9\r\n[Interface]\r\nLanguage=English\r\n");
}

// Dialogs and the main window on a 1280 x 1024 screen whose work area ends above a taskbar.
TEST(WindowPlacement, RectanglesAreMovedOntoTheWorkArea) {
  const ScreenRect area{0, 0, 1280, 994};
  const struct {
    ScreenRect window, expected;
  } kCases[] = {
      {{100, 100, 500, 400}, {100, 100, 500, 400}},  // inside: stays
      {{900, 50, 1806, 550}, {374, 50, 1280, 550}},  // the 906-pixel chooser at a corner
      {{-300, 900, 100, 1100}, {0, 794, 400, 994}},  // off two edges
      {{-50, -50, 1400, 1200}, {0, 0, 1450, 1250}},  // larger than the area: its corner
  };
  for (const auto& c : kCases) {
    const ScreenRect moved = MoveInside(c.window, area);
    EXPECT_EQ(moved.left, c.expected.left);
    EXPECT_EQ(moved.top, c.expected.top);
    EXPECT_EQ(moved.right, c.expected.right);
    EXPECT_EQ(moved.bottom, c.expected.bottom);
  }
  ScreenRect placed;
  ASSERT_TRUE(PlaceBeside(300, 200, {0, 40, 850, 640}, area, placed));
  EXPECT_EQ(placed.left, 850);
  EXPECT_EQ(placed.top, 40);
  ASSERT_TRUE(PlaceBeside(300, 200, {400, 900, 1200, 990}, area, placed)) << "left when the right has no room";
  EXPECT_EQ(placed.left, 100);
  EXPECT_EQ(placed.top, 794);
  EXPECT_FALSE(PlaceBeside(300, 200, {100, 0, 1100, 600}, area, placed));
}

}  // namespace
