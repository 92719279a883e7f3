#include "clipboard.h"

#include <shellapi.h>

#include <cstring>
#include <new>
#include <utility>
#include <vector>

#include "dib_image_draw_win32.h"
#include "gdi_handles.h"
#include "image_files.h"
#include "packed_dib.h"
#include "path_limits.h"

namespace {

constexpr char kClipboardName[] = "clipboard";

// Closes the clipboard on every way out.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != 0) {}
  ~OpenedClipboard() {
    if (open_) CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  bool IsOpen() const { return open_; }

 private:
  bool open_;
};

// A packed DIB held in global memory; its size is the block's, so a header that claims
// more rows than the block holds is caught by the decoder.
bool ReadPackedDib(UINT format, MemoryImage& picture, std::string& reason) {
  HANDLE data = GetClipboardData(format);
  const SIZE_T size = data ? GlobalSize(data) : 0;
  const void* bytes = size ? GlobalLock(data) : nullptr;
  if (!bytes) {
    reason = "the clipboard's bitmap cannot be read";
    return false;
  }
  const bool ok = DecodePackedDib(static_cast<const unsigned char*>(bytes), size, picture, reason);
  GlobalUnlock(data);
  return ok;
}

// A device-dependent bitmap, asked for as 32-bit top-down rows behind a plain header and
// decoded like a packed DIB.
bool ReadBitmap(MemoryImage& picture, std::string& reason) {
  HBITMAP bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  BITMAP info{};
  if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) {
    reason = "the clipboard's bitmap cannot be read";
    return false;
  }
  // The size limits of every clipboard format, before any memory is taken for the pixels.
  if (std::string problem = ClipboardBitmapSizeProblem(info.bmWidth, info.bmHeight); !problem.empty()) {
    reason = std::move(problem);
    return false;
  }
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = info.bmWidth;
  header.biHeight = -info.bmHeight;
  header.biPlanes = 1;
  header.biBitCount = 32;
  header.biCompression = BI_RGB;
  std::vector<unsigned char> packed;
  try {
    packed.resize(sizeof header + static_cast<size_t>(info.bmWidth) * info.bmHeight * 4);
  } catch (const std::bad_alloc&) {
    reason = "out of memory";
    return false;
  }
  WindowDc screen(nullptr);
  auto* bits = packed.data() + sizeof header;
  BITMAPINFO query{};
  query.bmiHeader = header;
  if (!screen || GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), bits, &query, DIB_RGB_COLORS) !=
                     info.bmHeight) {
    reason = "the clipboard's bitmap cannot be read";
    return false;
  }
  std::memcpy(packed.data(), &header, sizeof header);
  return DecodePackedDib(packed.data(), packed.size(), picture, reason);
}

// The first file of a copied file list, read as an image file.
bool ReadFirstFile(MemoryImage& picture, std::string& name, std::string& reason) {
  HDROP drop = static_cast<HDROP>(GetClipboardData(CF_HDROP));
  char path[kPathBufferSize] = "";
  const UINT length = drop ? DragQueryFileA(drop, 0, nullptr, 0) : 0;
  if (length == 0 || length >= sizeof path || DragQueryFileA(drop, 0, path, sizeof path) != length) {
    reason = length >= sizeof path ? "the copied file's path is too long" : "the copied file list cannot be read";
    return false;
  }
  name = path;
  if (LoadImageFile(path, picture, reason)) return true;
  reason = name + ": " + reason;
  return false;
}

}  // namespace

bool ClipboardHoldsPicture() {
  for (UINT format : {CF_DIBV5, CF_DIB, CF_BITMAP, CF_HDROP})
    if (IsClipboardFormatAvailable(format)) return true;
  return false;
}

ClipboardPicture ReadClipboardPicture(HWND owner, MemoryImage& picture, std::string& name, std::string& reason) {
  if (!ClipboardHoldsPicture()) return ClipboardPicture::kNone;
  OpenedClipboard clipboard(owner);
  if (!clipboard.IsOpen()) {
    reason = "the clipboard is in use by another program";
    return ClipboardPicture::kRefused;
  }
  // The first bitmap format that reads wins; a refusal is reported only when none does.
  std::string firstReason;
  for (UINT format : {CF_DIBV5, CF_DIB}) {
    if (!IsClipboardFormatAvailable(format)) continue;
    if (ReadPackedDib(format, picture, reason)) {
      name = kClipboardName;
      return ClipboardPicture::kTaken;
    }
    if (firstReason.empty()) firstReason = reason;
  }
  if (IsClipboardFormatAvailable(CF_BITMAP)) {
    if (ReadBitmap(picture, reason)) {
      name = kClipboardName;
      return ClipboardPicture::kTaken;
    }
    if (firstReason.empty()) firstReason = reason;
  }
  if (IsClipboardFormatAvailable(CF_HDROP)) {
    if (ReadFirstFile(picture, name, reason)) return ClipboardPicture::kTaken;
    if (firstReason.empty()) firstReason = reason;
  }
  reason = firstReason;
  return ClipboardPicture::kRefused;
}

void CopyPictureToClipboard(HWND owner, const DibImage& picture) {
  WindowDc screen(nullptr);
  if (!screen) return;
  MemoryDc memory(screen);
  OwnedBitmap bitmap(CreateCompatibleBitmap(screen, picture.width, picture.height));
  if (!memory || !bitmap) return;
  {
    // Deselected again before the clipboard takes it: a bitmap must not stay in a context.
    SelectedObject selected(memory, bitmap.get());
    Draw(picture, memory, 0, 0);
  }
  OpenedClipboard clipboard(owner);
  if (clipboard.IsOpen() && EmptyClipboard() && SetClipboardData(CF_BITMAP, bitmap.get())) bitmap.Release();
}
