#include "srgb_resize.h"

#include <cstddef>
#include <new>
#include <vector>

#include "stb_resize.h"

bool ResizeRegionSrgb(Image& destination, const Image& source, int x, int y, int width, int height, int outWidth,
                      int outHeight) {
  if (!source.valid || x < 0 || y < 0 || width <= 0 || height <= 0 || outWidth <= 0 || outHeight <= 0 ||
      static_cast<long long>(x) + width > source.width || static_cast<long long>(y) + height > source.height)
    return false;

  // The resize takes bytes: the region as R, G, B triples; the byte order is all one to it,
  // as every channel is treated alike.
  std::vector<unsigned char> in, out;
  try {
    in.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    out.resize(static_cast<std::size_t>(outWidth) * static_cast<std::size_t>(outHeight) * 3);
  } catch (const std::bad_alloc&) {
    return false;
  }
  unsigned char* to = in.data();
  for (int row = 0; row < height; ++row) {
    const Pixel* from = source.GetRow(y + row) + x;
    for (int column = 0; column < width; ++column, to += 3) {
      to[0] = static_cast<unsigned char>(RedOf(from[column]));
      to[1] = static_cast<unsigned char>(GreenOf(from[column]));
      to[2] = static_cast<unsigned char>(BlueOf(from[column]));
    }
  }
  if (!ResizeRgbSrgb(in.data(), width, height, out.data(), outWidth, outHeight)) return false;
  if (!destination.Create(outWidth, outHeight)) return false;
  const unsigned char* from = out.data();
  for (int row = 0; row < outHeight; ++row) {
    Pixel* pixels = destination.GetRow(row);
    for (int column = 0; column < outWidth; ++column, from += 3) pixels[column] = MakePixel(from[0], from[1], from[2]);
  }
  return true;
}
