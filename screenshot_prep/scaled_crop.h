// Cropping a larger part of a picture and shrinking it to the screenshot size: the crop
// dialog's scale and the scene files' ScreenshotScale key. Coordinates are source pixels,
// top-down; pixels 0x00RRGGBB (pixel.h).
//
// At scale S (percent, kMinimumScale..kMaximumScale) the box covers a region of
// 234 * 100 / S by 232 * 100 / S source pixels (integer division), which is resized to
// 234 x 232. Scale 100 is the plain crop, pixel for pixel.
#pragma once

#include <string>

#include "image.h"

inline constexpr int kMinimumScale = 10;
inline constexpr int kMaximumScale = 100;

struct RegionSize {
  int width = 0;
  int height = 0;
};

// The region the box covers at `scale` for a box of boxWidth x boxHeight (the screenshot's
// 234 x 232). A scale outside 1..100 is taken as 100.
RegionSize ScaledRegion(int scale, int boxWidth, int boxHeight);

// The smallest scale (kMinimumScale..100) whose region fits a source of sourceWidth x
// sourceHeight; 100 when none does (a source smaller than the box, refused elsewhere).
int SmallestFittingScale(int sourceWidth, int sourceHeight, int boxWidth, int boxHeight);

// Empty when the region at `scale` fits the source, otherwise why not, with the smallest
// scale that fits: "the region 468 x 464 is larger than the picture (300 x 280); ...".
std::string ScaleFitProblem(int scale, int sourceWidth, int sourceHeight, int boxWidth, int boxHeight);

// Makes `destination` boxWidth x boxHeight from the region at (x, y) of `source` at
// `scale`: a plain copy at 100, otherwise stb's sRGB-aware resize (stbir_resize_uint8_srgb
// on 3 channels, no alpha, default filter). Returns false, destination untouched, when the
// region does not lie inside a valid source or the scale is out of range; also false when
// memory runs out (destination then possibly empty). Destination and source may be the
// same image.
bool CropAndScale(Image& destination, const Image& source, int x, int y, int scale, int boxWidth, int boxHeight);
