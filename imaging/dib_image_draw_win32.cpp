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

void DrawStretched(const DibImage& image, HDC dc, int x, int y, int w, int h) {
  SelectedBitmap source(image, dc);
  if (source.dc())
    StretchBlt(dc, x, y, w, h, source.dc(), 0, 0, image.width, image.height, SRCCOPY);
}
