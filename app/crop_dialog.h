// The screenshot crop dialog (109): a larger image stretched over a resizable preview with
// the crop box on it. The user places the box by clicking (the click becomes its centre)
// or by typing or stepping the top-left corner, which is kept inside the picture with the
// box's outline. A scale below 100 % makes the box cover a larger region, shrunk on OK.
#pragma once

#include <windows.h>

#include "image.h"

// Runs the dialog modally over `owner`, showing `fileName`. Returns 1 after OK, with
// `destination` made width x height from the part of `source` under the box (CropAndScale); 0 after Cancel,
// the close box or a failure, with `destination` untouched. `source` is at least
// width x height. When the dialog's copy of the source cannot be made it shows
// "Out of memory!" and returns 0.
int ShowCropDialog(HWND owner, Image& destination, const Image& source, const char* fileName, int width,
                   int height);
