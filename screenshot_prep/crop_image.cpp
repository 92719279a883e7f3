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

CropOutline CropOutlineOf(int imageWidth, int imageHeight, int x, int y, int w, int h) {
  const auto clamp = [](long long value, int size) {
    return static_cast<int>(std::clamp<long long>(value, 0, std::max(size - 1, 0)));
  };
  return {clamp(x, imageWidth), clamp(y, imageHeight), clamp(static_cast<long long>(x) + w, imageWidth),
          clamp(static_cast<long long>(y) + h, imageHeight)};
}

CropOutline OutlineAsDrawn(const CropOutline& outline, int imageWidth, int imageHeight, int drawnX, int drawnY,
                           int drawnWidth, int drawnHeight) {
  const auto place = [](int pixel, int size, int start, int drawn) {
    return size <= 0 ? start : start + static_cast<int>(static_cast<long long>(pixel) * drawn / size);
  };
  return {place(outline.left, imageWidth, drawnX, drawnWidth), place(outline.top, imageHeight, drawnY, drawnHeight),
          place(outline.right, imageWidth, drawnX, drawnWidth),
          place(outline.bottom, imageHeight, drawnY, drawnHeight)};
}

void DarkenOutsideBox(Image& image, int x, int y, int w, int h) {
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
}

void DarkenOutsideCrop(Image& image, int x, int y, int w, int h) {
  DarkenOutsideBox(image, x, y, w, h);
  // A box wholly off the picture has no edge on it.
  if (!image.valid || x >= image.width || y >= image.height || static_cast<long long>(x) + w <= 0 ||
      static_cast<long long>(y) + h <= 0)
    return;
  const CropOutline edge = CropOutlineOf(image.width, image.height, x, y, w, h);
  for (int column = edge.left; column <= edge.right; ++column) {
    image.GetRow(edge.top)[column] = kOutlineColour;
    image.GetRow(edge.bottom)[column] = kOutlineColour;
  }
  for (int row = edge.top; row <= edge.bottom; ++row) {
    image.GetRow(row)[edge.left] = kOutlineColour;
    image.GetRow(row)[edge.right] = kOutlineColour;
  }
}
