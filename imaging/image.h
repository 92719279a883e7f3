// Image: a rectangle of 32-bit pixels (see pixel.h) with a fixed set of operations.
//
// Coordinates count from the top-left pixel (0, 0), x to the right, y down, whatever the
// storage order of the implementation. Two implementations exist: MemoryImage (rows in
// process memory) and DibImage (one bottom-up block, a GDI DIB section on Windows).
// Callers may hold either through this interface; pastes reach their source only through
// width, height and GetRow, so any image can be pasted into any other.
//
// Out-of-range operations do nothing (writes, pastes) or read 0; nothing throws.
// An image is destroyed through its concrete type, which releases its pixels as Free does.
#pragma once

#include "pixel.h"

class Image {
 public:
  bool valid = false;  // the image holds pixels
  int width = 0;
  int height = 0;

  bool IsValid() const { return valid; }

  // The operations, in their fixed order.

  // Makes the image width x height holding a copy of `pixels` (rows top to bottom, no
  // padding). Returns false (and leaves the image empty) when it cannot be allocated.
  virtual bool CreateFromPixels(const Pixel* pixels, int width, int height) = 0;
  // Makes an image of width x height pixels; earlier pixels are released first. Returns
  // `valid`: false when the pixels cannot be allocated (or the size is negative).
  // The base version only records the size.
  virtual bool Create(int width, int height);
  // Releases the pixels; 0 x 0, not valid. Harmless on an empty image.
  virtual void Free() = 0;
  virtual int IsDeviceBitmap() const = 0;
  // No bounds check: only for 0 <= x < width, 0 <= y < height of a valid image.
  virtual Pixel* PixelAddress(int x, int y) = 0;
  virtual int GetRowBytes() const = 0;
  virtual int GetBytesPerPixel() const = 0;
  // Pointer to pixel (0, y); the row's `width` pixels follow. No bounds check.
  virtual Pixel* GetRow(int y) = 0;
  virtual const Pixel* GetRow(int y) const = 0;
  // Both refuse coordinates outside 0..width-1, 0..height-1 (and any image without pixels).
  virtual void WritePixel(int x, int y, Pixel colour) = 0;
  virtual Pixel ReadPixel(int x, int y) const = 0;
  // Base algorithm: n = max(|dx|, |dy|) pixels from (x0, y0), stopping one short of the end.
  virtual void DrawLine(int x0, int y0, int x1, int y1, Pixel colour);
  virtual void Reserved1(int, int, int, int, int) {}
  // One-pixel outline: rows y and y + h over columns x..x+w-1, columns x and x + w over
  // rows y+1..y+h-2. Nothing when x < 0, y < 0, w < 1 or h < 1.
  virtual void DrawRect(int x, int y, int w, int h, Pixel colour) = 0;
  // The same pixels as DrawRect, each inverted with red and blue exchanged.
  virtual void InvertRect(int x, int y, int w, int h) = 0;
  virtual void Reserved2(int, int, int, int, int) {}
  virtual void Fill(Pixel colour) = 0;
  // Copies src's rectangle (srcX, srcY, w, h) to (x, y), skipping pixels equal to `key`;
  // clipped at both images' far edges; nothing for negative positions or empty sizes.
  virtual void PasteRectKeyed(const Image& src, int x, int y, int srcX, int srcY, int w, int h, Pixel key) = 0;
  // Copies all of src to (x, y), skipping `key`; nothing unless src fits entirely.
  virtual void PasteKeyed(const Image& src, int x, int y, Pixel key) = 0;
  // Copies src's rectangle to (x, y); nothing unless it lies inside both images.
  virtual void PasteRect(const Image& src, int x, int y, int srcX, int srcY, int w, int h) = 0;
  // Copies all of src to (x, y). MemoryImage: nothing unless src fits entirely;
  // DibImage: clipped at its right and bottom edges.
  virtual void Paste(const Image& src, int x, int y) = 0;

 protected:
  Image() = default;
  Image(const Image&) = default;
  Image& operator=(const Image&) = default;
  ~Image() = default;

  // Shared by both implementations: the outline's pixel set and the keyed rectangle copy,
  // written against PixelAddress so the storage order does not matter.
  void OutlineRect(int x, int y, int w, int h, Pixel colour, bool invert);
  void CopyRectKeyed(const Image& src, int x, int y, int srcX, int srcY, int w, int h, Pixel key);
};

// Copies `count` pixels, skipping those equal to `key`.
void CopyRowKeyed(const Pixel* from, Pixel* to, int count, Pixel key);

// Inverts every channel of p and exchanges red and blue; byte 3 becomes 0.
Pixel InvertedOutlinePixel(Pixel p);
