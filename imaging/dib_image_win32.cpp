// DibImage storage on Windows: a 32-bit bottom-up DIB section.
#include <windows.h>

#include <cstdint>

#include "dib_image.h"

bool DibImage::AllocateBlock(int w, int h) {
  const std::uint64_t bytes = static_cast<std::uint64_t>(w) * static_cast<std::uint64_t>(h) * 4;
  if (w <= 0 || h <= 0 || bytes > UINT32_MAX) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = h;  // positive: bottom-up
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  info.bmiHeader.biSizeImage = static_cast<DWORD>(bytes);
  HDC screen = GetDC(nullptr);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ReleaseDC(nullptr, screen);
  if (!bitmap || !bits) {
    if (bitmap) DeleteObject(bitmap);
    return false;
  }
  bitmap_ = bitmap;
  bits_ = static_cast<Pixel*>(bits);
  return true;
}

void DibImage::ReleaseBlock() {
  if (bitmap_) DeleteObject(static_cast<HBITMAP>(bitmap_));
}
