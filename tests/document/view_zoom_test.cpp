#include "view_zoom.h"

#include <gtest/gtest.h>

namespace {

TEST(ViewZoom, DpiGivesTheFirstZoomRoundedDownWithinRange) {
  EXPECT_EQ(ZoomForDpi(96), 1);
  EXPECT_EQ(ZoomForDpi(144), 1);  // 150 % is not a whole zoom: stay sharp at 1
  EXPECT_EQ(ZoomForDpi(192), 2);
  EXPECT_EQ(ZoomForDpi(72), 1);
  EXPECT_EQ(ZoomForDpi(960), kMaxZoom);
}

TEST(ViewZoom, FittingZoomIsTheLargestThatShowsTheWholePicture) {
  EXPECT_EQ(FittingZoom(1600, 1040, 800, 520), 2);  // exactly twice the picture
  EXPECT_EQ(FittingZoom(1599, 1040, 800, 520), 1);  // one pixel short across
  EXPECT_EQ(FittingZoom(1920, 1017, 800, 520), 1);  // a maximized window at 1920 x 1080: too low for 2
  EXPECT_EQ(FittingZoom(3840, 2100, 800, 520), 4);
  EXPECT_EQ(FittingZoom(9000, 9000, 800, 520), kMaxZoom);
  EXPECT_EQ(FittingZoom(600, 400, 800, 520), kMinZoom);  // nothing fits: the smallest zoom
  EXPECT_EQ(FittingZoom(-5, 0, 800, 520), kMinZoom);
  EXPECT_EQ(FittingZoom(800, 520, 0, 520), kMinZoom);
}

TEST(ViewZoom, ClientAndPictureCoordinatesMapBothWaysAtEveryZoom) {
  // A scrolled view: every client pixel of a block maps to the block's picture pixel, and
  // the block of picture pixel p starts at clientStart + (p - first) * zoom.
  for (int zoom = kMinZoom; zoom <= kMaxZoom; ++zoom) {
    ViewAxis axis;
    FitViewAxis(axis, 333, 800 * zoom);
    axis.scroll = 101;
    const ZoomedSpan span = VisiblePictureSpan(axis, zoom, 800);
    for (int client = 0; client < axis.visible; ++client) {
      const int picture = PictureCoordinate(axis, client, zoom);
      ASSERT_GE(picture, span.first);
      ASSERT_LT(picture, span.first + span.count);
      const int blockStart = span.clientStart + (picture - span.first) * zoom;
      ASSERT_LE(blockStart, client) << "zoom " << zoom << " client " << client;
      ASSERT_GT(blockStart + zoom, client) << "zoom " << zoom << " client " << client;
    }
    // The span covers the view exactly: its last block reaches the far edge.
    EXPECT_GE(span.clientStart + span.count * zoom, axis.visible);
    EXPECT_LT(span.clientStart + (span.count - 1) * zoom, axis.visible);
  }
}

TEST(ViewZoom, CentredPictureAndPointsOutsideIt) {
  ViewAxis axis;
  FitViewAxis(axis, 2000, 800 * 2);  // centred with a 200 pixel margin
  const ZoomedSpan span = VisiblePictureSpan(axis, 2, 800);
  EXPECT_EQ(span.first, 0);
  EXPECT_EQ(span.count, 800);
  EXPECT_EQ(span.clientStart, 200);
  EXPECT_EQ(PictureCoordinate(axis, 199, 2), -1);  // the margin left of the picture
  EXPECT_EQ(PictureCoordinate(axis, 198, 2), -1);
  EXPECT_EQ(PictureCoordinate(axis, 197, 2), -2);
  EXPECT_EQ(PictureCoordinate(axis, 1800, 2), 800);  // just past its right edge
}

TEST(ViewZoom, ZoomChangeKeepsThePictureInTheMiddle) {
  ViewAxis axis;
  FitViewAxis(axis, 400, 800);
  axis.scroll = 100;  // picture pixel 300 in the middle
  const int scroll = ScrollAfterZoom(axis, 1, 2);
  EXPECT_EQ(scroll, 400);  // 600 in the zoomed canvas is pixel 300 again
  axis.scroll = scroll;
  EXPECT_EQ(PictureCoordinate(axis, 200, 2), 300);
  axis.scroll = 0;
  EXPECT_EQ(ScrollAfterZoom(axis, 2, 1), 0);  // never before the start
}

}  // namespace
