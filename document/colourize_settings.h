// How the screenshot is coloured: per-channel levels or grey, then a common darkening or
// lightening. The document keeps these beside the uncoloured screenshot; the arithmetic is
// in colourize.h.
#pragma once

// Ranges are those of the colourize dialog's controls. The defaults leave every pixel as
// it is.
struct ColourizeSettings {
  bool greyMode = false;  // converts to grey and ignores the three levels
  int redLevel = 255;     // 0..255, factor in 255ths
  int greenLevel = 255;   // 0..255
  int blueLevel = 255;    // 0..255
  int intensity = 255;    // 0..511: 255 unchanged, below darkens, above lightens

  friend bool operator==(const ColourizeSettings&, const ColourizeSettings&) = default;
};
