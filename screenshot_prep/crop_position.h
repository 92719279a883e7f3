// Where the crop box may sit: the position arithmetic of the screenshot crop dialog, one
// axis at a time (call once with widths for x, once with heights for y).
//
// On an axis the box position ranges from 0 to sourceSize - cropSize - 1, one less than the
// room the box has: the last column (row) of the source is never inside the box, and the
// box outline, whose far side lies one pixel beyond the box, stays inside the picture. When
// the source is exactly as large as the box the position is 0. Callers guarantee a source
// at least as large as the box; a smaller one gives position 0.
#pragma once

#include <cstdint>

// The up-down control's range: 0 .. sourceSize - cropSize, one more than the position
// limit (stepping to the top shows it in the field; the field handler stores one less).
// maximum is 0 when the source is not larger than the box.
struct CropRange {
  int minimum = 0;
  int maximum = 0;
};
CropRange CropUpDownRange(int sourceSize, int cropSize);

// The position field's rule. `value` is the field read as an unsigned 32-bit number: one
// that is negative as a signed number becomes 0, one at or above sourceSize - cropSize
// becomes sourceSize - cropSize - 1 (0 when the source is no larger than the box).
int ClampCropPosition(std::uint32_t value, int sourceSize, int cropSize);

// A click in the preview at `mouse` (client pixels, the preview showing the whole source
// stretched over clientSize) centres the box on the clicked point:
// mouse / (clientSize / sourceSize) - cropSize / 2 in double precision (the half an integer
// division), truncated toward zero, then clamped as ClampCropPosition does. An empty client
// area or source gives 0.
int CropPositionFromClick(int mouse, int clientSize, int sourceSize, int cropSize);
