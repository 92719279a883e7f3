// The crop itself and the crop preview's picture. Coordinates are source pixels, top-down.
#pragma once

#include "image.h"

// Makes `destination` w x h and copies source's rectangle (x, y, w, h) into it. Returns
// false, leaving destination untouched, when the rectangle is empty or does not lie
// entirely inside a valid source; also false (destination then empty) when the w x h
// pixels cannot be allocated. Destination and source may be the same image.
bool CropImage(Image& destination, const Image& source, int x, int y, int w, int h);

// The crop box's outline: its left column and top row lie on the box, its right column and
// bottom row one pixel beyond it (x + w and y + h), each kept inside the picture (the last
// column or row when the box reaches the edge), so all four edges always show. Inclusive
// coordinates of the picture's pixels.
struct CropOutline {
  int left = 0, top = 0, right = 0, bottom = 0;
};
CropOutline CropOutlineOf(int imageWidth, int imageHeight, int x, int y, int w, int h);
// The outline where a picture of imageWidth x imageHeight pixels is drawn stretched to
// drawnWidth x drawnHeight at (drawnX, drawnY): each edge at the start of its pixel's place,
// so a shrunk picture keeps one-pixel edges that no stretch can drop, and at 1:1 the edges
// are the outline's own pixels.
CropOutline OutlineAsDrawn(const CropOutline& outline, int imageWidth, int imageHeight, int drawnX, int drawnY,
                           int drawnWidth, int drawnHeight);

// Every pixel outside the box (x, y, w, h) darkened by 128, pixels inside keeping their
// colour. A box partly outside the image is cut at its edges. Does nothing to an image
// without pixels.
void DarkenOutsideBox(Image& image, int x, int y, int w, int h);
// The crop preview at 1:1: DarkenOutsideBox, then the outline (CropOutlineOf) in white.
void DarkenOutsideCrop(Image& image, int x, int y, int w, int h);
