// Where an image preview pane draws its picture: the whole image, centred, unscaled when
// it fits the pane and otherwise scaled down to fit with its aspect ratio kept.
#pragma once

struct PreviewPlacement {
  int x = 0, y = 0;           // top-left in the pane's client area
  int width = 0, height = 0;  // drawn size
  bool scaled = false;        // false: drawn pixel for pixel
};

// An image of imageWidth x imageHeight in a pane of paneWidth x paneHeight. When it is
// larger on either axis, the height is first fitted to the pane's width
// (trunc(h / w * W)), and when that is still too high, the width to the pane's height
// (trunc(w / h * H)). Offsets are (pane - drawn) / 2, integer division. An image or pane
// without pixels gives an empty placement.
PreviewPlacement FitPreview(int imageWidth, int imageHeight, int paneWidth, int paneHeight);
