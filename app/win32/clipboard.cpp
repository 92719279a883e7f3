#include "clipboard.h"

#include <shellapi.h>

#include <cstring>
#include <functional>
#include <new>
#include <optional>
#include <utility>
#include <vector>

#include "dib_image_draw_win32.h"
#include "gdi_handles.h"
#include "image_bytes.h"
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

// Why one format was not taken.
struct Refusal {
  ClipboardRefusal kind = ClipboardRefusal::kUnreadable;
  std::string detail;
};

bool Refuse(Refusal& refusal, ClipboardRefusal kind, std::string detail = {}) {
  refusal = {kind, std::move(detail)};
  return false;
}

// The bytes of a global memory block, locked while the object lives. The size is the
// block's, which may be rounded up past what was put there.
class LockedBytes {
 public:
  explicit LockedBytes(HANDLE data)
      : data_(data), size_(data ? GlobalSize(data) : 0), bytes_(size_ ? GlobalLock(data) : nullptr) {}
  ~LockedBytes() {
    if (bytes_) GlobalUnlock(data_);
  }
  LockedBytes(const LockedBytes&) = delete;
  LockedBytes& operator=(const LockedBytes&) = delete;
  const unsigned char* bytes() const { return static_cast<const unsigned char*>(bytes_); }
  std::size_t size() const { return size_; }

 private:
  HANDLE data_;
  SIZE_T size_;
  void* bytes_;
};

// A packed DIB held in global memory; its size is the block's, so a header that claims
// more rows than the block holds is caught by the decoder.
bool ReadPackedDib(UINT format, MemoryImage& picture, Refusal& refusal) {
  LockedBytes block(GetClipboardData(format));
  if (!block.bytes()) return Refuse(refusal, ClipboardRefusal::kUnreadable);
  std::string reason;
  if (DecodePackedDib(block.bytes(), block.size(), picture, reason)) return true;
  return Refuse(refusal, ClipboardRefusal::kBadPicture, std::move(reason));
}

// The bytes of a PNG file, decoded as the same file would be.
bool ReadPng(MemoryImage& picture, Refusal& refusal) {
  LockedBytes block(GetClipboardData(PngClipboardFormat()));
  if (!block.bytes()) return Refuse(refusal, ClipboardRefusal::kUnreadable);
  std::string reason;
  if (DecodePngBytes(block.bytes(), block.size(), picture, reason)) return true;
  return Refuse(refusal, ClipboardRefusal::kBadPicture, std::move(reason));
}

// A device-dependent bitmap, asked for as 32-bit top-down rows behind a plain header and
// decoded like a packed DIB.
bool ReadBitmap(MemoryImage& picture, Refusal& refusal) {
  HBITMAP bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  BITMAP info{};
  if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return Refuse(refusal, ClipboardRefusal::kUnreadable);
  // The size limits of every clipboard format, before any memory is taken for the pixels.
  if (std::string problem = ClipboardBitmapSizeProblem(info.bmWidth, info.bmHeight); !problem.empty())
    return Refuse(refusal, ClipboardRefusal::kBadPicture, std::move(problem));
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
    return Refuse(refusal, ClipboardRefusal::kBadPicture, "out of memory");
  }
  WindowDc screen(nullptr);
  auto* bits = packed.data() + sizeof header;
  BITMAPINFO query{};
  query.bmiHeader = header;
  if (!screen ||
      GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), bits, &query, DIB_RGB_COLORS) != info.bmHeight)
    return Refuse(refusal, ClipboardRefusal::kUnreadable);
  std::memcpy(packed.data(), &header, sizeof header);
  std::string reason;
  if (DecodePackedDib(packed.data(), packed.size(), picture, reason)) return true;
  return Refuse(refusal, ClipboardRefusal::kBadPicture, std::move(reason));
}

// The path of the first file of the clipboard's file list (the clipboard is open).
bool FirstCopiedFile(std::string& path, Refusal& refusal) {
  HDROP drop = static_cast<HDROP>(GetClipboardData(CF_HDROP));
  char buffer[kPathBufferSize] = "";
  const UINT length = drop ? DragQueryFileA(drop, 0, nullptr, 0) : 0;
  if (length >= sizeof buffer) return Refuse(refusal, ClipboardRefusal::kPathTooLong);
  if (length == 0 || DragQueryFileA(drop, 0, buffer, sizeof buffer) != length)
    return Refuse(refusal, ClipboardRefusal::kFileListUnreadable);
  path = buffer;
  return true;
}

bool AnyBitmapOrPng() {
  for (UINT format : {UINT(CF_DIBV5), UINT(CF_DIB), UINT(CF_BITMAP), PngClipboardFormat()})
    if (format && IsClipboardFormatAvailable(format)) return true;
  return false;
}

}  // namespace

UINT PngClipboardFormat() {
  static const UINT format = RegisterClipboardFormatA("PNG");
  return format;
}

bool ClipboardHoldsPicture() {
  if (AnyBitmapOrPng()) return true;
  if (!IsClipboardFormatAvailable(CF_HDROP)) return false;
  OpenedClipboard clipboard(nullptr);
  // Held by another program for the moment: Paste stays offered and then says so.
  if (!clipboard.IsOpen()) return true;
  std::string path;
  Refusal ignored;
  return FirstCopiedFile(path, ignored) && FileStartsAsImage(path);
}

ClipboardRead ReadClipboardPicture(HWND owner, MemoryImage& picture) {
  ClipboardRead read;
  if (!AnyBitmapOrPng() && !IsClipboardFormatAvailable(CF_HDROP)) return read;
  OpenedClipboard clipboard(owner);
  if (!clipboard.IsOpen()) {
    read.outcome = ClipboardPicture::kRefused;
    read.refusal = ClipboardRefusal::kInUse;
    return read;
  }
  std::optional<Refusal> first;  // the first format's reason, reported when none reads
  using Reader = std::function<bool(Refusal&)>;
  const std::pair<UINT, Reader> formats[] = {
      {CF_DIBV5, [&](Refusal& refusal) { return ReadPackedDib(CF_DIBV5, picture, refusal); }},
      {CF_DIB, [&](Refusal& refusal) { return ReadPackedDib(CF_DIB, picture, refusal); }},
      {CF_BITMAP, [&](Refusal& refusal) { return ReadBitmap(picture, refusal); }},
      {PngClipboardFormat(), [&](Refusal& refusal) { return ReadPng(picture, refusal); }},
  };
  for (const auto& [format, reader] : formats) {
    if (!format || !IsClipboardFormatAvailable(format)) continue;
    Refusal refusal;
    if (reader(refusal)) {
      read.outcome = ClipboardPicture::kTaken;
      read.name = kClipboardName;
      return read;
    }
    if (!first) first = refusal;
  }
  if (IsClipboardFormatAvailable(CF_HDROP)) {
    // A copied file that is no picture at all counts as no picture; one that starts as a
    // picture is read whole, as a file chosen in the dialog is.
    std::string path, reason;
    Refusal refusal;
    if (!FirstCopiedFile(path, refusal)) {
      if (!first) first = refusal;
    } else if (FileStartsAsImage(path)) {
      if (LoadImageFile(path.c_str(), picture, reason)) {
        read.outcome = ClipboardPicture::kTaken;
        read.name = path;
        return read;
      }
      if (!first) {
        first = Refusal{ClipboardRefusal::kBadFile, reason};
        read.name = path;
      }
    }
  }
  if (!first) return read;
  read.outcome = ClipboardPicture::kRefused;
  read.refusal = first->kind;
  read.detail = first->detail;
  return read;
}

bool CopyPictureToClipboard(HWND owner, const DibImage& picture) {
  WindowDc screen(nullptr);
  if (!screen) return false;
  MemoryDc memory(screen);
  OwnedBitmap bitmap(CreateCompatibleBitmap(screen, picture.width, picture.height));
  if (!memory || !bitmap) return false;
  {
    // Deselected again before the clipboard takes it: a bitmap must not stay in a context.
    SelectedObject selected(memory, bitmap.get());
    Draw(picture, memory, 0, 0);
  }
  OpenedClipboard clipboard(owner);
  if (!clipboard.IsOpen() || !EmptyClipboard() || !SetClipboardData(CF_BITMAP, bitmap.get())) return false;
  bitmap.Release();
  return true;
}
