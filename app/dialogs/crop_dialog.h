// The screenshot crop dialog (109): a larger picture stretched over a resizable preview
// with the crop box on it, its controls laid out for the DPI (crop_layout.h). The user
// places the box by clicking or dragging (the mouse is its centre) or by typing or stepping
// the top-left corner, which is kept inside the picture with the box's outline. A scale
// below 100 % makes the box cover a larger region, which the caller shrinks to the box's
// size (CropAndScale); the field shows the scale in force.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "image.h"

struct CropPlacement {
  int x = 0, y = 0;  // the region's top-left corner in source pixels
  int scale = 100;   // percent
};

// Runs the dialog modally over `owner`, showing `fileName`, for a box of width x height
// (`source` is at least that large). The placement after OK; nothing after Cancel or the
// close box, or when the dialog's copy of the source cannot be made ("Out of memory!" is
// shown then).
std::optional<CropPlacement> ShowCropDialog(HWND owner, const Image& source, const std::string& fileName, int width,
                                            int height);
