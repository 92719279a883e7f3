// Building a new palette for a picture, by the quantizer the user chose.
#pragma once

#include <string>

#include "colour_histogram.h"
#include "image.h"
#include "palette.h"

enum class Quantizer {
  Octree,  // the octree of color_quantizer.h; its 8-bit means are shifted to 6 bits on writing
  Best,    // best_quantizer.h: Wu's split refined by k-means, at the PAL file's 6-bit levels
};

// "octree" or "best" (any case); false for another name.
bool ParseQuantizerName(const std::string& name, Quantizer& quantizer);
const char* QuantizerName(Quantizer quantizer);

// Fills entries first..count-1 of `palette` with colours for `picture` (count clamped to
// 1..256, first to 0 or 1 below count) and sets every other entry to black; entry 0 is the
// black the games draw as transparent when first is 1. False when memory ran short.
// `colours`, when given, are the picture's, counted beforehand (the octree uses them).
bool BuildNewPalette(const Image& picture, Quantizer quantizer, int count, int first, Palette& palette,
                     const ColourHistogram* colours = nullptr);
