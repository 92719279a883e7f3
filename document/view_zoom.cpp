#include "view_zoom.h"

#include <algorithm>

namespace {

int FloorDivide(int value, int divisor) { return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor); }

}  // namespace

int ClampZoom(int zoom) { return std::clamp(zoom, kMinZoom, kMaxZoom); }

int ZoomForDpi(int dpi) { return ClampZoom(dpi / 96); }

int FittingZoom(int areaWidth, int areaHeight, int pictureWidth, int pictureHeight) {
  if (pictureWidth <= 0 || pictureHeight <= 0) return kMinZoom;
  return ClampZoom(std::min(areaWidth / pictureWidth, areaHeight / pictureHeight));
}

int PictureCoordinate(const ViewAxis& axis, int client, int zoom) {
  return FloorDivide(CanvasCoordinate(axis, client), ClampZoom(zoom));
}

ZoomedSpan VisiblePictureSpan(const ViewAxis& axis, int zoom, int pictureSize) {
  zoom = ClampZoom(zoom);
  ZoomedSpan span;
  span.first = std::clamp(axis.scroll / zoom, 0, pictureSize);
  const int end = std::min(pictureSize, (axis.scroll + axis.visible + zoom - 1) / zoom);
  span.count = std::max(0, end - span.first);
  span.clientStart = axis.centre - (axis.scroll - span.first * zoom);
  return span;
}

int ScrollAfterZoom(const ViewAxis& axis, int oldZoom, int newZoom) {
  const long long middle = axis.scroll + axis.visible / 2;
  const long long scaled = middle * ClampZoom(newZoom) / ClampZoom(oldZoom);
  return static_cast<int>(std::max(0LL, scaled - axis.visible / 2));
}
