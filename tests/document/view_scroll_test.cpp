#include "view_scroll.h"

#include <gtest/gtest.h>

namespace {

constexpr int kCanvas = 800;

TEST(FitViewAxis, LargerViewCentresTheCanvasWithoutScrollBar) {
  ViewAxis axis{0, 37, 0};
  const ViewAxisFit fit = FitViewAxis(axis, 1001, kCanvas);
  EXPECT_EQ(axis.centre, 100);  // (1001 - 800) / 2, rounded down
  EXPECT_EQ(axis.scroll, 0);
  EXPECT_EQ(axis.visible, kCanvas);
  EXPECT_FALSE(fit.scrollable);
}

TEST(FitViewAxis, SmallerViewScrollsOverTheRest) {
  ViewAxis axis{50, 0, 0};
  const ViewAxisFit fit = FitViewAxis(axis, 600, kCanvas);
  EXPECT_EQ(axis.centre, 0);
  EXPECT_EQ(axis.visible, 600);
  EXPECT_TRUE(fit.scrollable);
  EXPECT_EQ(fit.scrollMax, 200);
  EXPECT_FALSE(fit.scrollPulledBack);
}

TEST(FitViewAxis, GrowingWhileScrolledToTheEndKeepsTheCanvasAtTheEdge) {
  ViewAxis axis;
  FitViewAxis(axis, 600, kCanvas);
  axis.scroll = 200;
  const ViewAxisFit fit = FitViewAxis(axis, 700, kCanvas);
  EXPECT_TRUE(fit.scrollPulledBack);
  EXPECT_EQ(axis.scroll, 100);
  EXPECT_EQ(fit.scrollMax, 100);
}

TEST(FitViewAxis, EqualSizeGivesAnEmptyRangeAndZeroOrNegativeClientsShowNothing) {
  ViewAxis axis;
  EXPECT_EQ(FitViewAxis(axis, kCanvas, kCanvas).scrollMax, 0);
  EXPECT_EQ(axis.visible, kCanvas);
  EXPECT_EQ(FitViewAxis(axis, -5, kCanvas).scrollMax, kCanvas);
  EXPECT_EQ(axis.visible, 0);
}

TEST(ScrollViewAxis, EachCodeMovesAsTheScrollBarAsks) {
  using namespace scroll_codes;
  struct Row {
    int code, start, thumb, expected;
  };
  // visible 600 of 800: positions run from 0 to 200.
  const Row rows[] = {
      {kLineBack, 10, 0, 9},       {kLineBack, 0, 0, 0},          {kLineForward, 10, 0, 11},
      {kLineForward, 200, 0, 200}, {kPageBack, 10, 0, 5},         {kPageBack, 3, 0, 0},
      {kPageForward, 10, 0, 15},   {kPageForward, 198, 0, 200},   {kThumbPosition, 10, 123, 123},
      {kThumbTrack, 10, 77, 77},   {kThumbTrack, 10, 65535, 200}, {kTop, 150, 0, 0},
      {kBottom, 10, 0, 200},
  };
  for (const Row& row : rows) {
    ViewAxis axis{0, row.start, 600};
    EXPECT_TRUE(ScrollViewAxis(axis, row.code, row.thumb, kCanvas)) << "code " << row.code;
    EXPECT_EQ(axis.scroll, row.expected) << "code " << row.code << " from " << row.start;
  }
}

TEST(ScrollViewAxis, EndScrollAndUnknownCodesChangeNothing) {
  for (int code : {8, 9, 100, -1}) {
    ViewAxis axis{0, 42, 600};
    EXPECT_FALSE(ScrollViewAxis(axis, code, 7, kCanvas));
    EXPECT_EQ(axis.scroll, 42);
  }
}

TEST(CanvasCoordinate, AddsTheScrollAndRemovesTheCentring) {
  EXPECT_EQ(CanvasCoordinate(ViewAxis{100, 0, 800}, 150), 50);
  EXPECT_EQ(CanvasCoordinate(ViewAxis{0, 30, 500}, 10), 40);
  EXPECT_EQ(CanvasCoordinate(ViewAxis{0, 30, 500}, -50), -20);
}

}  // namespace

namespace {

TEST(WheelScroll, NotchesScrollByTheUsersLinesAndFineWheelsAddUp) {
  int pending = 0;
  EXPECT_EQ(WheelScrollPixels(pending, -120, 3), 48) << "a notch towards the user scrolls down 3 lines";
  EXPECT_EQ(WheelScrollPixels(pending, 240, 3), -96);
  EXPECT_EQ(pending, 0);
  // A fine-grained wheel: eight deltas of 15 make one notch, nothing lost on the way.
  int total = 0;
  for (int i = 0; i < 8; ++i) total += WheelScrollPixels(pending, -15, 1);
  EXPECT_EQ(total, 16);
  EXPECT_EQ(WheelScrollPixels(pending, -120, 1000), 20 * kWheelLinePixels) << "a page-wise setting is capped";
}

TEST(WheelScroll, ScrollByStaysWithinTheCanvas) {
  ViewAxis axis;
  FitViewAxis(axis, 600, kCanvas);
  EXPECT_FALSE(ScrollViewAxisBy(axis, -48, kCanvas)) << "already at the top";
  EXPECT_TRUE(ScrollViewAxisBy(axis, 48, kCanvas));
  EXPECT_EQ(axis.scroll, 48);
  EXPECT_TRUE(ScrollViewAxisBy(axis, 1000, kCanvas));
  EXPECT_EQ(axis.scroll, 200);
  ViewAxis whole;
  FitViewAxis(whole, 900, kCanvas);
  EXPECT_FALSE(ScrollViewAxisBy(whole, 48, kCanvas)) << "a view showing the whole canvas does not scroll";
}

}  // namespace
