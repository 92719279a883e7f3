// The screenshot colourize arithmetic: per-channel scaling or a conversion to grey, then a
// common darkening or lightening. Pixels are 0x00RRGGBB (pixel.h).
#pragma once

#include "colourize_settings.h"
#include "load_screen_document.h"
#include "memory_image.h"
#include "pixel.h"

// ColourizePixel clamps settings outside the ranges of colourize_settings.h.

// Grey mode: ToGrey. Otherwise each channel c becomes c * level / 255 (integer), so level
// 255 keeps c and 0 gives 0. Then intensity <= 255 gives Darken(p, 255 - intensity), above
// it Lighten(p, intensity - 255): 511 gives white. Byte 3 of the result is 0.
Pixel ColourizePixel(Pixel pixel, const ColourizeSettings& settings);

// `screenshot` becomes a full copy of `backup` (size and pixels) with every pixel passed
// through ColourizePixel; the backup is only read. Returns false, screenshot left empty,
// when the copy cannot be allocated; an empty backup gives an empty screenshot and true.
bool ColourizeImage(const MemoryImage& backup, MemoryImage& screenshot, const ColourizeSettings& settings);

// The document's screenshot recomputed from its uncoloured copy (screenshotBackup) with
// `settings`, which become the document's screenshotColour; then the view repainted. So
// settings can be changed any number of times without the changes adding up, and the
// defaults give the uncoloured picture back. False as for ColourizeImage.
bool ColourizeScreenshot(LoadScreenDocument& document, const ColourizeSettings& settings);
