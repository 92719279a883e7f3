// The clipboard's pictures: one put there as a bitmap, one taken from there as a bitmap
// (CF_DIBV5, CF_DIB or CF_BITMAP, in that order) or as the first file of a copied file
// list (CF_HDROP) read as an image file.
#pragma once

#include <windows.h>

#include <string>

#include "dib_image.h"
#include "memory_image.h"

// Whether the clipboard holds one of the formats above (a cheap look, nothing is read).
bool ClipboardHoldsPicture();

enum class ClipboardPicture {
  kTaken,    // `picture` and `name` filled
  kNone,     // no usable format on the clipboard
  kRefused,  // a format was there but could not be read: `reason` says why
};

// Reads the picture, with the clipboard open only for that time (opened for `owner`).
// A bitmap's size is checked before any memory is taken for its pixels; a damaged one is
// refused. `name` is the file's path for a file list, otherwise "clipboard".
ClipboardPicture ReadClipboardPicture(HWND owner, MemoryImage& picture, std::string& name, std::string& reason);

// Puts one CF_BITMAP showing `picture` on the clipboard (opened for `owner`). The bitmap is
// made first: when that fails, or the clipboard cannot be opened, nothing is reported and
// the clipboard keeps what it had.
void CopyPictureToClipboard(HWND owner, const DibImage& picture);
