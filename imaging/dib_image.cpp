// The pixel logic of DibImage, the same on every platform; only AllocateBlock and
// ReleaseBlock differ (a DIB section on Windows, plain memory elsewhere).
#include "dib_image.h"

#include <algorithm>
#include <cstring>

DibImage::DibImage(const DibImage& other) : Image() {
  if (other.HasPixels() && Create(other.width, other.height))
    std::memcpy(bits_, other.bits_, static_cast<size_t>(width) * height * 4);
}

DibImage& DibImage::operator=(const DibImage& other) {
  if (this == &other) return *this;
  Free();
  if (other.HasPixels() && Create(other.width, other.height))
    std::memcpy(bits_, other.bits_, static_cast<size_t>(width) * height * 4);
  return *this;
}

DibImage::~DibImage() { Free(); }

bool DibImage::Create(int w, int h) {
  Free();
  // The size is kept even when the block cannot be made; valid tells the two apart.
  width = w;
  height = h;
  valid = w >= 0 && h >= 0 && AllocateBlock(w, h);
  return valid;
}

bool DibImage::CreateFromPixels(const Pixel* pixels, int w, int h) {
  if (!pixels && w > 0 && h > 0) return false;
  if (!Create(w, h)) return false;
  for (int y = 0; y < h; ++y) std::memcpy(GetRow(y), pixels + static_cast<size_t>(y) * w, static_cast<size_t>(w) * 4);
  return true;
}

void DibImage::Free() {
  ReleaseBlock();
  bitmap_ = nullptr;
  bits_ = nullptr;
  width = 0;
  height = 0;
  valid = false;
}

int DibImage::GetRowBytes() const { return bits_ ? width * 4 : 0; }
int DibImage::GetBytesPerPixel() const { return bits_ ? 4 : 0; }

void DibImage::WritePixel(int x, int y, Pixel colour) {
  if (bits_ && x >= 0 && y >= 0 && x < width && y < height) *PixelAddress(x, y) = colour;
}

Pixel DibImage::ReadPixel(int x, int y) const {
  if (bits_ && x >= 0 && y >= 0 && x < width && y < height)
    return bits_[(height - 1 - y) * static_cast<long long>(width) + x];
  return 0;
}

void DibImage::DrawRect(int x, int y, int w, int h, Pixel colour) { OutlineRect(x, y, w, h, colour, false); }
void DibImage::InvertRect(int x, int y, int w, int h) { OutlineRect(x, y, w, h, 0, true); }

void DibImage::Fill(Pixel colour) {
  if (!bits_) return;
  std::fill_n(bits_, static_cast<size_t>(width) * height, colour);
}

void DibImage::PasteRectKeyed(const Image& src, int x, int y, int srcX, int srcY, int w, int h, Pixel key) {
  if (bits_) CopyRectKeyed(src, x, y, srcX, srcY, w, h, key);
}

void DibImage::PasteKeyed(const Image& src, int x, int y, Pixel key) {
  if (!bits_ || !src.valid || x < 0 || y < 0) return;
  if (x + static_cast<long long>(src.width) > width || y + static_cast<long long>(src.height) > height) return;
  const int w = src.width, h = src.height;
  for (int i = 0; i < h; ++i) CopyRowKeyed(src.GetRow(i), PixelAddress(x, y + i), w, key);
}

// Unlike the pixel-exact behaviour of Paste, a rectangle outside either image is refused
// here exactly as MemoryImage refuses it, so no caller can write outside the block.
void DibImage::PasteRect(const Image& src, int x, int y, int srcX, int srcY, int w, int h) {
  if (!bits_ || !src.valid || x < 0 || y < 0 || srcX < 0 || srcY < 0 || w < 1 || h < 1) return;
  if (srcX + static_cast<long long>(w) > src.width || srcY + static_cast<long long>(h) > src.height) return;
  if (x + static_cast<long long>(w) > width || y + static_cast<long long>(h) > height) return;
  for (int i = 0; i < h; ++i)
    std::memcpy(PixelAddress(x, y + i), src.GetRow(srcY + i) + srcX, static_cast<size_t>(w) * 4);
}

// Clipped at the right and bottom edges instead of refused.
void DibImage::Paste(const Image& src, int x, int y) {
  if (!bits_ || !src.valid || x < 0 || y < 0 || x >= width || y >= height) return;
  const int rows = height - y < src.height ? height - y : src.height;
  const int cols = width - x < src.width ? width - x : src.width;
  const size_t bytes = static_cast<size_t>(cols) * src.GetBytesPerPixel();
  for (int i = 0; i < rows; ++i) std::memcpy(PixelAddress(x, y + i), src.GetRow(i), bytes);
}
