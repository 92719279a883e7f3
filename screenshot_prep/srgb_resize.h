// Resizing a rectangle of a picture with stb's sRGB-aware resize: the screenshot's scaled crop
// and the 640 x 400 load screen shrink through the same arithmetic. Pixels 0x00RRGGBB
// (pixel.h), coordinates top-down.
#pragma once

#include "image.h"

// Makes `destination` outWidth x outHeight from the rectangle (x, y, width, height) of
// `source`, resized by stbir_resize_uint8_srgb (3 channels, no alpha, flags 0, default filter,
// edges clamped). False, destination untouched, when the rectangle does not lie inside a
// valid source or a size is not positive; also false when memory runs out (destination then
// possibly empty). Destination and source may be the same image.
bool ResizeRegionSrgb(Image& destination, const Image& source, int x, int y, int width, int height, int outWidth,
                      int outHeight);
