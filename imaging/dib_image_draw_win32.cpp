#include "dib_image_draw_win32.h"

namespace {

// A memory context holding the image's bitmap for the length of one copy.
class SelectedBitmap {
 public:
  SelectedBitmap(const DibImage& image, HDC target)
      : memory_(image.NativeBitmap() ? CreateCompatibleDC(target) : nullptr) {
    if (memory_) previous_ = SelectObject(memory_, static_cast<HBITMAP>(image.NativeBitmap()));
  }
  ~SelectedBitmap() {
    if (!memory_) return;
    SelectObject(memory_, previous_);
    DeleteDC(memory_);
  }
  SelectedBitmap(const SelectedBitmap&) = delete;
  SelectedBitmap& operator=(const SelectedBitmap&) = delete;
  HDC dc() const { return memory_; }

 private:
  HDC memory_;
  HGDIOBJ previous_ = nullptr;
};

}  // namespace

void Draw(const DibImage& image, HDC dc, int x, int y) {
  SelectedBitmap source(image, dc);
  if (source.dc()) BitBlt(dc, x, y, image.width, image.height, source.dc(), 0, 0, SRCCOPY);
}

void DrawPart(const DibImage& image, HDC dc, int x, int y, int srcX, int srcY, int w, int h) {
  if (srcX + w > image.width) w = image.width - srcX;
  if (srcY + h > image.height) h = image.height - srcY;
  SelectedBitmap source(image, dc);
  if (source.dc()) BitBlt(dc, x, y, w, h, source.dc(), srcX, srcY, SRCCOPY);
}

void DrawZoomedPart(const DibImage& image, HDC dc, int x, int y, int srcX, int srcY, int w, int h, int zoom) {
  if (srcX + w > image.width) w = image.width - srcX;
  if (srcY + h > image.height) h = image.height - srcY;
  if (w <= 0 || h <= 0) return;
  SelectedBitmap source(image, dc);
  if (!source.dc()) return;
  // COLORONCOLOR drops or repeats whole pixels: at a whole-number factor each source pixel
  // becomes exactly one block.
  const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, x, y, w * zoom, h * zoom, source.dc(), srcX, srcY, w, h, SRCCOPY);
  if (oldMode) SetStretchBltMode(dc, oldMode);
}

void DrawStretched(const DibImage& image, HDC dc, int x, int y, int w, int h) {
  SelectedBitmap source(image, dc);
  if (source.dc()) StretchBlt(dc, x, y, w, h, source.dc(), 0, 0, image.width, image.height, SRCCOPY);
}
