// Comparing a picture read from the screen (or the clipboard) with an expected image.
#pragma once

#include <string>

#include "image.h"
#include "screen_capture.h"

struct PictureDifference {
  long long count = 0;  // pixels that differ
  int x = 0, y = 0;     // the first of them, in the captured picture
  Pixel got = 0, want = 0;
  bool sizeMismatch = false;
};

// Compares all of `got` with the rectangle of `want` that starts at (wantX, wantY) and has
// got's size; a rectangle reaching outside `want` is a size mismatch.
PictureDifference ComparePictures(const ScreenPicture& got, const Image& want, int wantX = 0, int wantY = 0);
// "" when equal, otherwise "N pixels differ, first at (x, y): 0x.. instead of 0x..".
std::string DescribeDifference(const PictureDifference& difference);
