// Clipboard bitmaps (packed DIBs) through the decoder: every header, mask, colour table and
// row layout a program could put on the clipboard. What it takes is within the size check.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "packed_dib.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  MemoryImage picture;
  std::string reason;
  if (!DecodePackedDib(data, size, picture, reason)) {
    if (reason.empty() || picture.valid) std::abort();
    return 0;
  }
  if (!picture.valid || !ClipboardBitmapSizeProblem(picture.width, picture.height).empty()) std::abort();
  return 0;
}
