#include "image.h"

#include <cstdlib>

#include "line_walk.h"

bool Image::Create(int w, int h) {
  width = w;
  height = h;
  return true;
}

void Image::DrawLine(int x0, int y0, int x1, int y1, Pixel colour) {
  LineWalk(x0, y0, x1, y1, LineWalk::Moves::kAtN).ForEachPointInside(width, height, [&](int x, int y) {
    WritePixel(x, y, colour);
  });
}

void CopyRowKeyed(const Pixel* from, Pixel* to, int count, Pixel key) {
  // Branch-free select, so the loop vectorizes.
  for (int j = 0; j < count; ++j) to[j] = from[j] == key ? to[j] : from[j];
}

Pixel InvertedOutlinePixel(Pixel p) {
  return (255 - ((p >> 16) & 0xFF)) + (255 - ((p >> 8) & 0xFF)) * 0x100u + (255 - (p & 0xFF)) * 0x10000u;
}

void Image::OutlineRect(int x, int y, int w, int h, Pixel colour, bool invert) {
  if (x < 0 || y < 0 || w < 1 || h < 1) return;
  // Goes through WritePixel/ReadPixel so an outline that overhangs the far edges is cut there.
  auto plot = [&](int px, int py) { WritePixel(px, py, invert ? InvertedOutlinePixel(ReadPixel(px, py)) : colour); };
  // Computed in 64 bits: a huge w or h must not wrap into the image.
  for (long long i = 0; i < w && x + i < width; ++i) {
    plot(static_cast<int>(x + i), y);
    if (static_cast<long long>(y) + h < height) plot(static_cast<int>(x + i), y + h);
  }
  for (long long row = static_cast<long long>(y) + 1; row <= static_cast<long long>(y) + h - 2 && row < height; ++row) {
    plot(x, static_cast<int>(row));
    if (static_cast<long long>(x) + w < width) plot(x + w, static_cast<int>(row));
  }
}

void Image::CopyRectKeyed(const Image& src, int x, int y, int srcX, int srcY, int w, int h, Pixel key) {
  if (x < 0 || y < 0 || srcX < 0 || srcY < 0 || w < 1 || h < 1) return;
  if (!valid || !src.valid) return;
  long long cols = w, rows = h;
  if (src.width - static_cast<long long>(srcX) < cols) cols = src.width - static_cast<long long>(srcX);
  if (width - static_cast<long long>(x) < cols) cols = width - static_cast<long long>(x);
  if (src.height - static_cast<long long>(srcY) < rows) rows = src.height - static_cast<long long>(srcY);
  if (height - static_cast<long long>(y) < rows) rows = height - static_cast<long long>(y);
  for (long long i = 0; i < rows; ++i)
    CopyRowKeyed(src.GetRow(static_cast<int>(srcY + i)) + srcX, PixelAddress(x, static_cast<int>(y + i)),
                 static_cast<int>(cols), key);
}
