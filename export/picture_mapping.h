// Mapping a composed picture to palette indices, plainly or with error diffusion.
#pragma once

#include <cstdint>
#include <functional>

#include "colour_histogram.h"
#include "image.h"
#include "nearest_color.h"
#include "palette.h"

struct MappingOptions {
  int count = 256;      // entries first..count-1 may be used (see nearest_color.h)
  int first = 0;        // 1 keeps every pixel off entry 0
  bool dither = false;  // Floyd-Steinberg error diffusion, rows in alternating directions
  ColourWeights weights = kLumaWeights;
  // The picture's colours with their pixel ids, when counted beforehand: the plain mapping
  // then looks each colour up once.
  const ColourHistogram* colours = nullptr;
  // 2 lets a second thread look up half of many such colours (the same indices, sooner on
  // a free core); anything else maps on the calling thread alone.
  int threads = 1;
};

// Writes one index per pixel of `picture` to `indices` (width * height, rows from the top)
// and calls afterRow(y) after each row. Without dithering every index is exactly
// FindNearestColor of its pixel (with the options' weights). With it, each pixel's colour plus the error carried to it
// is clamped to 0..255 and mapped the same way; the difference to the chosen entry is passed
// on 7/16 ahead, 3/16 behind below, 5/16 below and 1/16 ahead below. False when memory ran
// short (nothing is then promised about `indices`).
bool MapPicture(const Image& picture, const Palette& palette, const MappingOptions& options, std::uint8_t* indices,
                const std::function<void(int)>& afterRow = {});
