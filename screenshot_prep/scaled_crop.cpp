#include "scaled_crop.h"

#include <cstddef>
#include <new>
#include <vector>

#include "crop_image.h"
#include "memory_image.h"
#include "stb_resize.h"

RegionSize ScaledRegion(int scale, int boxWidth, int boxHeight) {
  if (scale < 1 || scale > kMaximumScale) scale = kMaximumScale;
  return RegionSize{boxWidth * 100 / scale, boxHeight * 100 / scale};
}

int SmallestFittingScale(int sourceWidth, int sourceHeight, int boxWidth, int boxHeight) {
  for (int scale = kMinimumScale; scale < kMaximumScale; ++scale) {
    const RegionSize region = ScaledRegion(scale, boxWidth, boxHeight);
    if (region.width <= sourceWidth && region.height <= sourceHeight) return scale;
  }
  return kMaximumScale;
}

std::string ScaleFitProblem(int scale, int sourceWidth, int sourceHeight, int boxWidth, int boxHeight) {
  const RegionSize region = ScaledRegion(scale, boxWidth, boxHeight);
  if (region.width <= sourceWidth && region.height <= sourceHeight) return {};
  return "the region " + std::to_string(region.width) + " x " + std::to_string(region.height) +
         " is larger than the picture (" + std::to_string(sourceWidth) + " x " + std::to_string(sourceHeight) +
         "); the smallest scale for it is " +
         std::to_string(SmallestFittingScale(sourceWidth, sourceHeight, boxWidth, boxHeight));
}

bool CropAndScale(Image& destination, const Image& source, int x, int y, int scale, int boxWidth, int boxHeight) {
  if (scale < kMinimumScale || scale > kMaximumScale) return false;
  const RegionSize region = ScaledRegion(scale, boxWidth, boxHeight);
  if (scale == kMaximumScale) return CropImage(destination, source, x, y, region.width, region.height);
  if (!source.valid || x < 0 || y < 0 || static_cast<long long>(x) + region.width > source.width ||
      static_cast<long long>(y) + region.height > source.height || boxWidth <= 0 || boxHeight <= 0)
    return false;

  // The resize takes bytes: the region as R, G, B triples; the byte order is all one to it,
  // as every channel is treated alike.
  std::vector<unsigned char> in, out;
  try {
    in.resize(static_cast<std::size_t>(region.width) * region.height * 3);
    out.resize(static_cast<std::size_t>(boxWidth) * boxHeight * 3);
  } catch (const std::bad_alloc&) {
    return false;
  }
  unsigned char* to = in.data();
  for (int row = 0; row < region.height; ++row) {
    const Pixel* from = source.GetRow(y + row) + x;
    for (int column = 0; column < region.width; ++column, to += 3) {
      to[0] = static_cast<unsigned char>(RedOf(from[column]));
      to[1] = static_cast<unsigned char>(GreenOf(from[column]));
      to[2] = static_cast<unsigned char>(BlueOf(from[column]));
    }
  }
  if (!ResizeRgbSrgb(in.data(), region.width, region.height, out.data(), boxWidth, boxHeight)) return false;
  if (!destination.Create(boxWidth, boxHeight)) return false;
  const unsigned char* from = out.data();
  for (int row = 0; row < boxHeight; ++row) {
    Pixel* pixels = destination.GetRow(row);
    for (int column = 0; column < boxWidth; ++column, from += 3) pixels[column] = MakePixel(from[0], from[1], from[2]);
  }
  return true;
}
