// Where the crop dialog's controls go for a client area and a DPI: the file name on top,
// the preview filling the middle, the box's position and size fields with their labels in a
// group below it, and a last row with the scale on the left and OK and Cancel on the right.
// Sizes are those of a 96-DPI dialog scaled to the DPI; labels are as wide as their text,
// measured by the caller in the dialog's font. At 96 DPI the preview keeps 12 pixels to the
// sides, 64 above and 108 below.
#pragma once

#include <array>
#include <cstddef>

struct LayoutRect {
  int x = 0, y = 0, width = 0, height = 0;
  int right() const { return x + width; }
  int bottom() const { return y + height; }
};

enum class CropControl {
  FileLabel,
  FileName,
  Preview,
  Group,
  XLabel,
  X,
  XUpDown,
  YLabel,
  Y,
  YUpDown,
  WidthLabel,
  Width,
  HeightLabel,
  Height,
  ScaleLabel,
  Scale,
  ScaleUpDown,
  Ok,
  Cancel,
  Count
};

// The measured texts of the labels, in pixels of the dialog's font at its DPI.
struct CropLabelSizes {
  int textHeight = 13;
  int file = 0, x = 0, y = 0, width = 0, height = 0, scale = 0;
};

struct CropLayout {
  std::array<LayoutRect, static_cast<std::size_t>(CropControl::Count)> rects{};
  const LayoutRect& operator[](CropControl control) const { return rects[static_cast<std::size_t>(control)]; }
  LayoutRect& operator[](CropControl control) { return rects[static_cast<std::size_t>(control)]; }
};

CropLayout LayOutCropDialog(int clientWidth, int clientHeight, int dpi, const CropLabelSizes& labels);

// The smallest client area in which no two controls overlap and the preview keeps a useful
// size.
struct ClientSize {
  int width = 0, height = 0;
};
ClientSize MinimumCropClient(int dpi, const CropLabelSizes& labels);
