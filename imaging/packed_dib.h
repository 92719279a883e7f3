// A packed device-independent bitmap (the bytes of a clipboard CF_DIB or CF_DIBV5: a
// BITMAPINFOHEADER, V4 or V5 header, colour masks or table, then the rows) turned into
// pixels. Portable: the layout is read from the bytes, no platform header is needed.
//
// Read: 16-bit (5-5-5), 24-bit and 32-bit rows (BI_RGB), 16-bit and 32-bit rows with masks
// (BI_BITFIELDS), bottom-up (positive height) and top-down (negative height). The fourth
// byte or an alpha mask is ignored: the editor's pixels have no alpha.
#pragma once

#include <cstddef>
#include <string>

#include "memory_image.h"

// Largest width or height taken, as for image files (ClipboardBitmapSizeProblem checks the
// whole size).
inline constexpr int kMaxPackedDibSide = 16384;

// Why a clipboard bitmap of `width` x `height` pixels (as its header or the system gives them)
// is not taken, or empty: it has no pixels, or more than an image file may have
// (kMaxImageSide on a side, kMaxImagePixels in all). Every clipboard format asks it before
// anything is allocated for the picture.
std::string ClipboardBitmapSizeProblem(long long width, long long height);

// Fills `picture` (0x00RRGGBB, top-down) from `size` bytes at `data`. On failure returns
// false with a reason ("truncated", "unsupported ...", ClipboardBitmapSizeProblem's) and
// leaves `picture` untouched; sizes and lengths are all checked before any allocation, so a
// damaged or absurd header costs nothing.
bool DecodePackedDib(const unsigned char* data, std::size_t size, MemoryImage& picture, std::string& reason);
