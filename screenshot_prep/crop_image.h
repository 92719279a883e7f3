// The crop itself and the crop preview's picture. Coordinates are source pixels, top-down.
#pragma once

#include "image.h"

// Makes `destination` w x h and copies source's rectangle (x, y, w, h) into it. Returns
// false, leaving destination untouched, when the rectangle is empty or does not lie
// entirely inside a valid source; also false (destination then empty) when the w x h
// pixels cannot be allocated. Destination and source may be the same image.
bool CropImage(Image& destination, const Image& source, int x, int y, int w, int h);

// The crop preview: every pixel outside the box (x, y, w, h) is darkened by 128, pixels
// inside keep their colour; then the box gets a white outline whose right column is x + w
// and bottom row y + h (Image::DrawRect), except when the image is exactly as wide or as
// high as the box, where no outline is drawn at all. A box partly outside the image is
// cut at its edges. Does nothing to an image without pixels.
void DarkenOutsideCrop(Image& image, int x, int y, int w, int h);
