// MemoryImage: an Image whose rows are separate blocks in process memory.
//
// Invariants: `rows` is null exactly when the image holds no pixels (then not valid, 0 x 0);
// when valid, rows[y] is row y (y = 0 at the top) of `width` pixels. The image owns the row
// array and every row, except after ShareRowsOf: then they belong to the shared source,
// which the image keeps alive; and after UseRowsIn, where the rows lie in memory a keeper
// owns (a mapped file), which the image keeps alive. Copies are deep. Allocation failure is reported by Create
// and CreateFromPixels returning false with the image left empty.
#pragma once

#include <cstddef>
#include <memory>

#include "image.h"

class MemoryImage final : public Image {
 public:
  MemoryImage() = default;
  MemoryImage(const MemoryImage& other);
  MemoryImage& operator=(const MemoryImage& other);
  MemoryImage(MemoryImage&& other) noexcept;
  MemoryImage& operator=(MemoryImage&& other) noexcept;
  ~MemoryImage();

  bool CreateFromPixels(const Pixel* pixels, int width, int height) override;
  bool Create(int width, int height) override;
  // Create without clearing: the pixels are unspecified until written. For a caller that
  // writes every row next (a decoder, a copy, a full render), which so touches the memory
  // once instead of twice.
  bool Allocate(int width, int height) { return AllocateRows(width, height); }
  // Makes this image the top `rows` rows (at most all) of `source` without copying them: the
  // pixels stay the source's, which this image keeps alive. For pictures that are only read
  // (templates shared by the scenes of a batch): a write would change the source too.
  void ShareRowsOf(std::shared_ptr<const MemoryImage> source, int rows);
  // Makes this image `width` x `height` pixels lying row after row from `first`, in memory
  // that `keeper` owns and this image keeps alive (a picture read from a mapped file).
  // False, the image left empty, when the row array cannot be allocated.
  bool UseRowsIn(std::shared_ptr<const void> keeper, Pixel* first, int width, int height);
  void Free() override;
  int IsDeviceBitmap() const override { return 0; }
  Pixel* PixelAddress(int x, int y) override { return rows_[y] + x; }
  int GetRowBytes() const override { return width * 4; }
  int GetBytesPerPixel() const override { return 4; }
  Pixel* GetRow(int y) override { return rows_[y]; }
  const Pixel* GetRow(int y) const override { return rows_[y]; }
  void WritePixel(int x, int y, Pixel colour) override;
  Pixel ReadPixel(int x, int y) const override;
  // Own variant: n + 2 writes with strict error tests, so the end point is drawn too.
  void DrawLine(int x0, int y0, int x1, int y1, Pixel colour) override;
  void DrawRect(int x, int y, int w, int h, Pixel colour) override;
  void InvertRect(int x, int y, int w, int h) override;
  void Fill(Pixel colour) override;
  void PasteRectKeyed(const Image& src, int x, int y, int srcX, int srcY, int w, int h, Pixel key) override;
  void PasteKeyed(const Image& src, int x, int y, Pixel key) override;
  void PasteRect(const Image& src, int x, int y, int srcX, int srcY, int w, int h) override;
  void Paste(const Image& src, int x, int y) override;

 private:
  bool AllocateRows(int width, int height);
  Pixel** rows_ = nullptr;
  std::shared_ptr<const MemoryImage> sharedSource_;  // set when the rows are the source's
  std::shared_ptr<const void> rowKeeper_;            // set when the rows lie in its memory
};
