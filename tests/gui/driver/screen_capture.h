// ScreenPicture: pixels read back from the screen (the X server under Wine), for comparing
// what a window shows with what the driver expects. Pixels are 0x00RRGGBB, rows top to
// bottom, as the core's Pixel.
#pragma once

#include <windows.h>

#include <vector>

#include "pixel.h"

struct ScreenPicture {
  int width = 0;
  int height = 0;
  std::vector<Pixel> pixels;

  Pixel At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Copies the screen rectangle into `out` through the screen device context (pixel-exact on
// a 24-bit Xvfb screen). False when GDI refuses.
bool CaptureScreen(const RECT& area, ScreenPicture& out);
