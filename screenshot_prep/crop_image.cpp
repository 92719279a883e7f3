#include "crop_image.h"

#include <algorithm>

#include "memory_image.h"

namespace {

constexpr std::uint32_t kOutsideDarkening = 128;
constexpr Pixel kOutlineColour = 0xFFFFFF;

bool InsideImage(const Image& image, int x, int y, int w, int h) {
  return x >= 0 && y >= 0 && w > 0 && h > 0 && static_cast<long long>(x) + w <= image.width &&
         static_cast<long long>(y) + h <= image.height;
}

}  // namespace

bool CropImage(Image& destination, const Image& source, int x, int y, int w, int h) {
  if (!source.valid || !InsideImage(source, x, y, w, h)) return false;
  if (&destination == &source) {
    // Create would release the pixels the copy reads from: crop through a temporary.
    MemoryImage part;
    if (!part.Create(w, h)) return false;
    part.PasteRect(source, 0, 0, x, y, w, h);
    if (!destination.Create(w, h)) return false;
    destination.Paste(part, 0, 0);
    return true;
  }
  if (!destination.Create(w, h)) return false;
  destination.PasteRect(source, 0, 0, x, y, w, h);
  return true;
}

void DarkenOutsideCrop(Image& image, int x, int y, int w, int h) {
  if (!image.valid) return;
  // The box clipped to the image, in 64 bits so that x + w cannot wrap.
  const long long left = std::clamp<long long>(x, 0, image.width);
  const long long right = std::clamp<long long>(static_cast<long long>(x) + std::max(w, 0), left, image.width);
  const long long top = std::clamp<long long>(y, 0, image.height);
  const long long bottom = std::clamp<long long>(static_cast<long long>(y) + std::max(h, 0), top, image.height);
  for (int row = 0; row < image.height; ++row) {
    Pixel* pixels = image.GetRow(row);
    const bool besideBox = row >= top && row < bottom;
    for (int column = 0; column < image.width; ++column) {
      if (besideBox && column >= left && column < right) continue;
      pixels[column] = Darken(pixels[column], kOutsideDarkening);
    }
  }
  if (image.width != w && image.height != h) image.DrawRect(x, y, w, h, kOutlineColour);
}
