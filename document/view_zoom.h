// The map view's integer zoom: every picture pixel is a z x z block of screen pixels,
// z = 1 .. kMaxZoom. The view's axes (view_scroll.h) then work in screen pixels over a
// canvas of z times the picture's size; these helpers map between the two.
#pragma once

#include "view_scroll.h"

inline constexpr int kMinZoom = 1, kMaxZoom = 4;

int ClampZoom(int zoom);
// The first zoom of a run: the monitor's DPI / 96, rounded down, within 1 .. kMaxZoom.
int ZoomForDpi(int dpi);
// The largest zoom at which a pictureWidth x pictureHeight picture fits whole in an area of
// areaWidth x areaHeight screen pixels; kMinZoom when not even that one fits.
int FittingZoom(int areaWidth, int areaHeight, int pictureWidth, int pictureHeight);

// The picture coordinate under a client coordinate (rounded towards minus infinity, so a
// pointer left of or above the picture gives a negative one).
int PictureCoordinate(const ViewAxis& axis, int client, int zoom);

// What one axis of a zoomed picture shows: picture pixels first .. first + count - 1, the
// first one's block starting at client coordinate `clientStart` (before the view's edge
// when the view is scrolled into the middle of a block).
struct ZoomedSpan {
  int first = 0;
  int count = 0;
  int clientStart = 0;
};
ZoomedSpan VisiblePictureSpan(const ViewAxis& axis, int zoom, int pictureSize);

// The scroll position after a zoom change that keeps the picture pixel in the middle of
// the view where it was; FitViewAxis then keeps it within range.
int ScrollAfterZoom(const ViewAxis& axis, int oldZoom, int newZoom);
