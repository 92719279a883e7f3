// Helpers shared by the imaging and document tests: tiny images with known pixels.
#pragma once

#include <string>
#include <vector>

#include "image.h"

// Fills `image` (already created) with a pattern where each pixel is unique: (y << 8) | x.
inline void FillPattern(Image& image, Pixel base = 0x00100000) {
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) image.WritePixel(x, y, base | static_cast<Pixel>((y << 8) | x));
}

// All pixels, rows top to bottom.
inline std::vector<Pixel> PixelsOf(const Image& image) {
  std::vector<Pixel> pixels;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) pixels.push_back(image.ReadPixel(x, y));
  return pixels;
}
