#include "clipboard_reader.h"

#include <windows.h>

#include <cstring>

#include "wait.h"

namespace {
// Another process (the editor, Wine's clipboard manager) may hold the clipboard for a
// moment, so opening is retried.
bool OpenClipboardSoon() {
  return WaitUntil([] { return OpenClipboard(nullptr) != 0; }, 2000);
}

bool ConvertDib(const BYTE* data, std::size_t size, ScreenPicture& out, std::string& error) {
  if (size < sizeof(BITMAPINFOHEADER)) {
    error = "CF_DIB block too small";
    return false;
  }
  BITMAPINFOHEADER header;
  std::memcpy(&header, data, sizeof header);
  const int width = header.biWidth;
  const bool bottomUp = header.biHeight > 0;
  const int height = bottomUp ? header.biHeight : -header.biHeight;
  const int bits = header.biBitCount;
  if (width <= 0 || height <= 0 || (bits != 32 && bits != 24)) {
    error = "unexpected CF_DIB " + std::to_string(width) + " x " + std::to_string(header.biHeight) + " at " +
            std::to_string(bits) + " bits";
    return false;
  }
  std::size_t offset = header.biSize;
  // The three colour masks follow the header of a BI_BITFIELDS block.
  if (header.biCompression == BI_BITFIELDS && header.biSize == sizeof(BITMAPINFOHEADER)) offset += 12;
  offset += static_cast<std::size_t>(header.biClrUsed) * 4;
  const std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
  if (offset + stride * height > size) {
    error = "CF_DIB block shorter than its header says";
    return false;
  }
  out.width = width;
  out.height = height;
  out.pixels.assign(static_cast<std::size_t>(width) * height, 0);
  for (int y = 0; y < height; ++y) {
    const BYTE* row = data + offset + stride * (bottomUp ? height - 1 - y : y);
    for (int x = 0; x < width; ++x) {
      const BYTE* p = row + x * (bits / 8);
      out.pixels[static_cast<std::size_t>(y) * width + x] = MakePixel(p[2], p[1], p[0]);
    }
  }
  return true;
}
}  // namespace

bool EmptyClipboardNow() {
  if (!OpenClipboardSoon()) return false;
  EmptyClipboard();
  CloseClipboard();
  return true;
}

bool ClipboardHasBitmap() { return IsClipboardFormatAvailable(CF_BITMAP) != 0; }

bool ReadClipboardPicture(ScreenPicture& out, std::string& error) {
  if (!OpenClipboardSoon()) {
    error = "cannot open the clipboard";
    return false;
  }
  bool ok = false;
  HANDLE block = GetClipboardData(CF_DIB);
  if (!block) {
    error = "no CF_DIB rendering on the clipboard";
  } else if (const void* data = GlobalLock(block)) {
    ok = ConvertDib(static_cast<const BYTE*>(data), GlobalSize(block), out, error);
    GlobalUnlock(block);
  } else {
    error = "cannot lock the CF_DIB block";
  }
  CloseClipboard();
  return ok;
}
