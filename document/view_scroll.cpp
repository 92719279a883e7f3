#include "view_scroll.h"

#include <algorithm>

ViewAxisFit FitViewAxis(ViewAxis& axis, int clientSize, int canvasSize) {
  clientSize = std::max(clientSize, 0);
  ViewAxisFit fit;
  if (clientSize > canvasSize) {
    axis.centre = (clientSize - canvasSize) / 2;
    axis.scroll = 0;
    axis.visible = canvasSize;
    return fit;
  }
  axis.centre = 0;
  axis.visible = clientSize;
  if (axis.scroll + clientSize > canvasSize) {
    axis.scroll = canvasSize - clientSize;
    fit.scrollPulledBack = true;
  }
  fit.scrollable = true;
  fit.scrollMax = canvasSize - clientSize;
  return fit;
}

bool ScrollViewAxis(ViewAxis& axis, int code, int thumb, int canvasSize) {
  using namespace scroll_codes;
  const int max = std::max(canvasSize - axis.visible, 0);
  int position = axis.scroll;
  switch (code) {
    case kLineBack: position -= 1; break;
    case kLineForward: position += 1; break;
    case kPageBack: position -= 5; break;
    case kPageForward: position += 5; break;
    case kThumbPosition:
    case kThumbTrack: position = thumb; break;
    case kTop: position = 0; break;
    case kBottom: position = max; break;
    default: return false;
  }
  axis.scroll = std::clamp(position, 0, max);
  return true;
}

bool ScrollViewAxisBy(ViewAxis& axis, int pixels, int canvasSize) {
  const int max = std::max(canvasSize - axis.visible, 0);
  const int position = std::clamp(axis.scroll + pixels, 0, max);
  if (position == axis.scroll) return false;
  axis.scroll = position;
  return true;
}

int WheelScrollPixels(int& pending, int delta, int linesPerNotch) {
  constexpr int kNotch = 120;
  const int pixelsPerNotch = std::clamp(linesPerNotch, 1, 20) * kWheelLinePixels;
  pending += delta;
  // Whole pixels only; what is left over waits for the next delta.
  const int pixels = pending * pixelsPerNotch / kNotch;
  pending -= pixels * kNotch / pixelsPerNotch;
  return -pixels;
}
