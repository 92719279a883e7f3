// DibImage storage off Windows: the bottom-up block lives in plain memory.
#include <cstdint>
#include <new>

#include "dib_image.h"

bool DibImage::AllocateBlock(int w, int h) {
  // Refused like CreateDIBSection refuses them: empty sizes and blocks beyond 32-bit sizes.
  const std::uint64_t bytes = static_cast<std::uint64_t>(w) * static_cast<std::uint64_t>(h) * 4;
  if (w <= 0 || h <= 0 || bytes > UINT32_MAX) return false;
  bits_ = new (std::nothrow) Pixel[bytes / 4];
  return bits_ != nullptr;
}

void DibImage::ReleaseBlock() { delete[] bits_; }
