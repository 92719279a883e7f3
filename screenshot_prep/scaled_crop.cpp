#include "scaled_crop.h"

#include "crop_image.h"
#include "srgb_resize.h"

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
  return ResizeRegionSrgb(destination, source, x, y, region.width, region.height, boxWidth, boxHeight);
}
