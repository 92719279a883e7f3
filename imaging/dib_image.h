// DibImage: an Image whose pixels are one bottom-up block of 32-bit pixels, a GDI DIB
// section on Windows (so it can be copied to a window without conversion) and plain memory
// elsewhere.
//
// Storage: memory row 0 holds the image's bottom row; pixel (x, y) lives at
// bits + ((height - 1 - y) * width + x). Rows have no padding.
// A Create that fails keeps the requested width and height with `valid` false and no
// pixels; every pixel operation on such an image does nothing (reads give 0).
// Drawing to a device context is in dib_image_draw_win32.h (Windows only).
#pragma once

#include "image.h"

class DibImage final : public Image {
 public:
  DibImage() = default;
  DibImage(const DibImage& other);
  DibImage& operator=(const DibImage& other);
  ~DibImage();

  bool CreateFromPixels(const Pixel* pixels, int width, int height) override;
  bool Create(int width, int height) override;
  void Free() override;
  int IsDeviceBitmap() const override { return 1; }
  Pixel* PixelAddress(int x, int y) override { return bits_ + (height - 1 - y) * static_cast<long long>(width) + x; }
  int GetRowBytes() const override;
  int GetBytesPerPixel() const override;
  Pixel* GetRow(int y) override { return PixelAddress(0, y); }
  const Pixel* GetRow(int y) const override { return bits_ + (height - 1 - y) * static_cast<long long>(width); }
  void WritePixel(int x, int y, Pixel colour) override;
  Pixel ReadPixel(int x, int y) const override;
  void DrawRect(int x, int y, int w, int h, Pixel colour) override;
  void InvertRect(int x, int y, int w, int h) override;
  void Fill(Pixel colour) override;
  void PasteRectKeyed(const Image& src, int x, int y, int srcX, int srcY, int w, int h, Pixel key) override;
  void PasteKeyed(const Image& src, int x, int y, Pixel key) override;
  void PasteRect(const Image& src, int x, int y, int srcX, int srcY, int w, int h) override;
  void Paste(const Image& src, int x, int y) override;

  // The platform bitmap (an HBITMAP on Windows, null elsewhere) and the pixel block.
  void* NativeBitmap() const { return bitmap_; }
  Pixel* Bits() { return bits_; }
  bool HasPixels() const { return bits_ != nullptr; }

 private:
  // Platform part: allocate / release the block (dib_image_memory.cpp or dib_image_win32.cpp).
  bool AllocateBlock(int width, int height);
  void ReleaseBlock();

  void* bitmap_ = nullptr;
  Pixel* bits_ = nullptr;
};
