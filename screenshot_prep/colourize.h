// The screenshot colourize arithmetic: per-channel scaling or a conversion to grey, then a
// common darkening or lightening. Pixels are 0x00RRGGBB (pixel.h).
#pragma once

#include "memory_image.h"
#include "pixel.h"

// Ranges are those of the dialog's controls; ColourizePixel clamps values outside them.
struct ColourizeSettings {
  int greyMode = 0;      // 0 or 1: 1 converts to grey and ignores the three levels
  int redLevel = 255;    // 0..255, factor in 256ths
  int greenLevel = 255;  // 0..255
  int blueLevel = 255;   // 0..255
  int intensity = 255;   // 0..511: 255 unchanged, below darkens, above lightens
};

// Grey mode: ToGrey. Otherwise each channel c becomes c * level / 256 (integer; the divisor
// is 256, so the default 255 takes 255 to 254). Then intensity <= 255 gives
// Darken(p, 255 - intensity), above it Lighten(p, intensity - 255): 511 gives white.
// Byte 3 of the result is 0.
Pixel ColourizePixel(Pixel pixel, const ColourizeSettings& settings);

// `screenshot` becomes a full copy of `backup` (size and pixels) with every pixel passed
// through ColourizePixel; the backup is only read. Returns false, screenshot left empty,
// when the copy cannot be allocated; an empty backup gives an empty screenshot and true.
bool ColourizeImage(const MemoryImage& backup, MemoryImage& screenshot, const ColourizeSettings& settings);
