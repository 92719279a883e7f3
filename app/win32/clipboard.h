// The clipboard's pictures: one put there as a bitmap, one taken from there as a bitmap
// (CF_DIBV5, CF_DIB or CF_BITMAP, in that order), as the bytes of a PNG file (the
// registered format "PNG", which Linux programs and Wine's clipboard bridge offer for a
// copied picture), or as the first file of a copied file list (CF_HDROP) read as an image
// file.
#pragma once

#include <windows.h>

#include <string>

#include "dib_image.h"
#include "memory_image.h"

// Whether the clipboard holds a picture Paste can take: a bitmap or PNG format, or a copied
// file whose content starts as an image (a copied text file does not count). Only a file
// list makes it open the clipboard, for the file's name.
bool ClipboardHoldsPicture();

enum class ClipboardPicture {
  kTaken,    // `picture` and `name` filled
  kNone,     // no usable format on the clipboard
  kRefused,  // a format was there but could not be used: `refusal` and `detail` say why
};

// Why a picture on the clipboard was not taken.
enum class ClipboardRefusal {
  kInUse,               // another program holds the clipboard open
  kUnreadable,          // a format is announced but its data cannot be read
  kFileListUnreadable,  // the copied file list cannot be read
  kPathTooLong,         // the copied file's path is longer than a path may be
  kBadPicture,          // the data was read and refused: `detail` gives the decoder's reason
  kBadFile,             // the copied file cannot be loaded: `name` is its path, `detail` why
};

struct ClipboardRead {
  ClipboardPicture outcome = ClipboardPicture::kNone;
  std::string name;  // the file's path for a file list, otherwise "clipboard"
  ClipboardRefusal refusal = ClipboardRefusal::kUnreadable;
  std::string detail;  // the core's reason, in its plain words
};

// Reads the picture, with the clipboard open only for that time (opened for `owner`). The
// first format that reads wins; a refusal is reported only when none does, with the first
// format's reason. Sizes are checked before any memory is taken for pixels, with the limits
// of image files; a damaged bitmap or PNG is refused.
ClipboardRead ReadClipboardPicture(HWND owner, MemoryImage& picture);

// Puts one CF_BITMAP showing `picture` on the clipboard (opened for `owner`). The bitmap is
// made first: false when that fails or the clipboard cannot be opened or taken, and the
// clipboard then keeps what it had (unless emptying it was what worked).
bool CopyPictureToClipboard(HWND owner, const DibImage& picture);

// The id of the registered clipboard format "PNG" (0 when it cannot be registered).
UINT PngClipboardFormat();
