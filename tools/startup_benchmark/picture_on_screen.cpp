#include "picture_on_screen.h"

#include <algorithm>

namespace {

constexpr int kProbeLength = 16;
constexpr int kPixelsPerAllowedDifference = 200;

// Half the pixels of the run differ from their left neighbour.
bool Varied(const std::uint32_t* run) {
  int changes = 0;
  for (int i = 1; i < kProbeLength; ++i) changes += run[i] != run[i - 1];
  return 2 * changes >= kProbeLength;
}

}  // namespace

PictureOnScreen::PictureOnScreen(PixelRows picture) : width_(picture.width), height_(picture.height) {
  pixels_.reserve(static_cast<std::size_t>(width_) * height_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) pixels_.push_back(picture.At(x, y));
  if (width_ < kProbeLength || height_ < 1) return;
  AddProbeNear(width_ / 2, height_ / 2);
  for (int j = 1; j <= 3; ++j)
    for (int i = 1; i <= 3; ++i)
      if (i != 2 || j != 2) AddProbeNear(width_ * i / 4, height_ * j / 4);
}

void PictureOnScreen::AddProbeNear(int centreX, int centreY) {
  const int reachX = std::max(1, width_ / 8), reachY = std::max(1, height_ / 8);
  const int firstX = std::max(0, centreX - reachX), lastX = std::min(width_ - kProbeLength, centreX + reachX);
  for (int distance = 0; distance <= reachY; ++distance) {
    for (const int y : {centreY - distance, centreY + distance}) {
      if (y < 0 || y >= height_) continue;
      for (int x = firstX; x <= lastX; ++x) {
        if (Varied(&pixels_[static_cast<std::size_t>(y) * width_ + x])) {
          probes_.push_back({x, y});
          return;
        }
      }
    }
  }
}

std::optional<ScreenOffset> PictureOnScreen::Find(PixelRows window) const {
  for (const Probe probe : probes_) {
    const std::uint32_t* run = &pixels_[static_cast<std::size_t>(probe.y) * width_ + probe.x];
    for (int y = 0; y < window.height; ++y) {
      for (int x = 0; x + kProbeLength <= window.width; ++x) {
        if (window.At(x, y) != run[0]) continue;
        int same = 1;
        while (same < kProbeLength && window.At(x + same, y) == run[same]) ++same;
        if (same < kProbeLength) continue;
        const ScreenOffset at{x - probe.x, y - probe.y};
        if (ShownAt(window, at)) return at;
      }
    }
  }
  return std::nullopt;
}

bool PictureOnScreen::ShownAt(PixelRows window, ScreenOffset at) const {
  const int left = std::max(0, -at.x), top = std::max(0, -at.y);
  const int right = std::min(width_, window.width - at.x), bottom = std::min(height_, window.height - at.y);
  if (2 * (right - left) < width_ || 2 * (bottom - top) < height_) return false;
  long allowed = static_cast<long>(right - left) * (bottom - top) / kPixelsPerAllowedDifference;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x)
      if (window.At(at.x + x, at.y + y) != At(x, y) && --allowed < 0) return false;
  return true;
}
