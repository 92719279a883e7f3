// Finding a known picture inside a captured window, pixel for pixel: how the start-up
// benchmark tells that the editor's first frame is on the screen.
//
// Both are rows of 0x00RRGGBB pixels, top-down (the top byte is ignored). The picture counts
// as shown when at least half of its rows and half of its columns lie inside the window (a
// window smaller than the picture shows a part of it) and all but 1 in 200 of the pixels
// that do are the same: the editor's view draws the zoom lines with the line algorithm of
// its device bitmap, the command-line tool with that of its memory image, and the two
// differ in some 640 pixels along the lines. A frame drawn in part (the frame and the map
// without the zoom window, some 50,000 pixels) is not the picture.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

struct PixelRows {
  const std::uint32_t* pixels = nullptr;
  int width = 0, height = 0;
  int stride = 0;  // pixels from one row to the next
  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * stride + x] & 0xFFFFFF; }
};

struct ScreenOffset {
  int x = 0, y = 0;  // where the picture's top-left pixel sits in the window (may be outside)
};

class PictureOnScreen {
 public:
  // Keeps a copy of `picture`. A picture without a run of varied pixels (one colour, or
  // stripes) cannot be told from a filled window: Find never succeeds for it.
  explicit PictureOnScreen(PixelRows picture);

  // Where the picture shows in `window`; nothing while it does not.
  std::optional<ScreenOffset> Find(PixelRows window) const;
  // Whether it shows at `at`: a quick answer for a window that shows something else, so a
  // caller who knows where the picture will be can ask at every change of the window.
  bool ShownAt(PixelRows window, ScreenOffset at) const;

 private:
  struct Probe {
    int x, y;
  };
  void AddProbeNear(int x, int y);
  std::uint32_t At(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }

  std::vector<std::uint32_t> pixels_;
  int width_, height_;
  // Short runs of the picture whose pixels vary, from its centre and eight places around:
  // few places of a window hold one, so only those are compared in full. Several, as one
  // may lie where the window differs (on a zoom line), or outside a small window.
  std::vector<Probe> probes_;
};
