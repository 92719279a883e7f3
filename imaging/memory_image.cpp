#include "memory_image.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "line_walk.h"

MemoryImage::MemoryImage(const MemoryImage& other) : Image() {
  if (other.valid && AllocateRows(other.width, other.height))
    for (int y = 0; y < height; ++y) std::memcpy(rows_[y], other.rows_[y], static_cast<size_t>(width) * 4);
}

MemoryImage& MemoryImage::operator=(const MemoryImage& other) {
  if (this == &other) return *this;
  Free();
  if (other.valid && AllocateRows(other.width, other.height))
    for (int y = 0; y < height; ++y) std::memcpy(rows_[y], other.rows_[y], static_cast<size_t>(width) * 4);
  return *this;
}

MemoryImage::MemoryImage(MemoryImage&& other) noexcept : Image() { *this = std::move(other); }

MemoryImage& MemoryImage::operator=(MemoryImage&& other) noexcept {
  if (this == &other) return *this;
  Free();
  rows_ = std::exchange(other.rows_, nullptr);
  sharedSource_ = std::move(other.sharedSource_);
  rowKeeper_ = std::move(other.rowKeeper_);
  valid = std::exchange(other.valid, false);
  width = std::exchange(other.width, 0);
  height = std::exchange(other.height, 0);
  return *this;
}

MemoryImage::~MemoryImage() { Free(); }

// Sizes whose byte count does not fit in 32 bits are refused, never allocated short.
bool MemoryImage::AllocateRows(int w, int h) {
  Free();
  if (w < 0 || h < 0) return false;
  if (static_cast<std::uint64_t>(w) * 4 > UINT32_MAX || static_cast<std::uint64_t>(h) * sizeof(Pixel*) > UINT32_MAX)
    return false;
  rows_ = new (std::nothrow) Pixel*[static_cast<size_t>(h)]();
  if (!rows_) return false;
  width = w;
  height = h;
  for (int y = 0; y < h; ++y) {
    rows_[y] = new (std::nothrow) Pixel[static_cast<size_t>(w)];
    if (!rows_[y]) {
      Free();
      return false;
    }
  }
  valid = true;
  return true;
}

bool MemoryImage::Create(int w, int h) {
  if (!AllocateRows(w, h)) return false;
  for (int y = 0; y < h; ++y) std::memset(rows_[y], 0, static_cast<size_t>(w) * 4);
  return true;
}

bool MemoryImage::CreateFromPixels(const Pixel* pixels, int w, int h) {
  if (!pixels && w > 0 && h > 0) return false;
  if (!AllocateRows(w, h)) return false;
  for (int y = 0; y < h; ++y) std::memcpy(rows_[y], pixels + static_cast<size_t>(y) * w, static_cast<size_t>(w) * 4);
  return true;
}

void MemoryImage::ShareRowsOf(std::shared_ptr<const MemoryImage> source, int rows) {
  Free();
  if (!source || !source->valid) return;
  const int kept = std::clamp(rows, 0, source->height);
  if (kept == 0 && source->height > 0) return;  // no rows asked for: left empty
  rows_ = source->rows_;
  width = source->width;
  height = kept;
  valid = true;
  sharedSource_ = std::move(source);
}

bool MemoryImage::UseRowsIn(std::shared_ptr<const void> keeper, Pixel* first, int w, int h) {
  Free();
  if (!keeper || !first || w <= 0 || h <= 0) return false;
  rows_ = new (std::nothrow) Pixel*[static_cast<size_t>(h)];
  if (!rows_) return false;
  for (int y = 0; y < h; ++y) rows_[y] = first + static_cast<std::size_t>(y) * static_cast<std::size_t>(w);
  rowKeeper_ = std::move(keeper);
  width = w;
  height = h;
  valid = true;
  return true;
}

void MemoryImage::Free() {
  if (sharedSource_) {
    sharedSource_.reset();
    rows_ = nullptr;
  } else if (rowKeeper_) {
    delete[] rows_;  // the rows themselves are the keeper's
    rows_ = nullptr;
    rowKeeper_.reset();
  } else if (rows_) {
    for (int y = 0; y < height; ++y) delete[] rows_[y];
    delete[] rows_;
    rows_ = nullptr;
  }
  height = 0;
  width = 0;
  valid = false;
}

void MemoryImage::WritePixel(int x, int y, Pixel colour) {
  if (rows_ && x >= 0 && y >= 0 && x < width && y < height) rows_[y][x] = colour;
}

Pixel MemoryImage::ReadPixel(int x, int y) const {
  if (rows_ && x >= 0 && y >= 0 && x < width && y < height) return rows_[y][x];
  return 0;
}

void MemoryImage::DrawLine(int x0, int y0, int x1, int y1, Pixel colour) {
  LineWalk(x0, y0, x1, y1, LineWalk::Moves::kPastN).ForEachPointInside(width, height, [&](int x, int y) {
    WritePixel(x, y, colour);
  });
}

void MemoryImage::DrawRect(int x, int y, int w, int h, Pixel colour) { OutlineRect(x, y, w, h, colour, false); }
void MemoryImage::InvertRect(int x, int y, int w, int h) { OutlineRect(x, y, w, h, 0, true); }

void MemoryImage::Fill(Pixel colour) {
  // Sizes in locals: a pixel store may alias the int fields, which would defeat the
  // compiler's vector loops.
  const int w = width, h = height;
  for (int y = 0; y < h; ++y) std::fill_n(rows_[y], w, colour);
}

void MemoryImage::PasteRectKeyed(const Image& src, int x, int y, int srcX, int srcY, int w, int h, Pixel key) {
  CopyRectKeyed(src, x, y, srcX, srcY, w, h, key);
}

// True when src (w x h at x, y) lies entirely inside this image; computed in 64 bits.
static bool Fits(const Image& dst, int x, int y, long long w, long long h) {
  return x >= 0 && y >= 0 && x + w <= dst.width && y + h <= dst.height;
}

void MemoryImage::PasteKeyed(const Image& src, int x, int y, Pixel key) {
  if (!Fits(*this, x, y, src.width, src.height) || !src.valid || !valid) return;
  const int w = src.width, h = src.height;
  for (int i = 0; i < h; ++i) CopyRowKeyed(src.GetRow(i), rows_[y + i] + x, w, key);
}

void MemoryImage::PasteRect(const Image& src, int x, int y, int srcX, int srcY, int w, int h) {
  if (x < 0 || y < 0 || srcX < 0 || srcY < 0 || w < 1 || h < 1) return;
  if (!Fits(src, srcX, srcY, w, h) || !Fits(*this, x, y, w, h) || !src.valid || !valid) return;
  const size_t bytes = static_cast<size_t>(w) * src.GetBytesPerPixel();
  for (int i = 0; i < h; ++i) std::memcpy(rows_[y + i] + x, src.GetRow(srcY + i) + srcX, bytes);
}

void MemoryImage::Paste(const Image& src, int x, int y) {
  if (!Fits(*this, x, y, src.width, src.height) || !src.valid || !valid) return;
  const size_t bytes = static_cast<size_t>(src.width) * src.GetBytesPerPixel();
  for (int i = 0; i < src.height; ++i) std::memcpy(rows_[y + i] + x, src.GetRow(i), bytes);
}
