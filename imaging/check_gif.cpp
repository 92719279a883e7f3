#include "image_format_checks.h"

namespace {
// An LZW code yields at most 4096 pixels and codes grow to 12 bits before strings get that
// long: 4096 pixels per byte of the file is a generous bound for any real GIF.
constexpr unsigned long long kMaxPixelsPerByte = 4096;

// Skips a chain of data sub-blocks (length byte, bytes; a zero length ends it).
bool SkipSubBlocks(const ByteView& bytes, std::size_t& at, std::string& reason) {
  for (;;) {
    if (!bytes.Has(at, 1)) return reason = kTruncated, false;
    const std::size_t length = bytes.At(at++);
    if (length == 0) return true;
    if (!bytes.Has(at, length)) return reason = kTruncated, false;
    at += length;
  }
}
}  // namespace

// The decoder reads the first frame; it must be there whole. The canvas is allocated at the
// size the screen descriptor declares, so that size must be in proportion to the file.
bool CheckGif(const ByteView& bytes, ImageHeader& header, std::string& reason) {
  if (!bytes.Has(0, 13)) return reason = kTruncated, false;
  const long long width = bytes.Le16(6), height = bytes.Le16(8);
  const int flags = bytes.At(10);
  if (width == 0 || height == 0)
    return reason = "corrupt GIF file: the image is " + std::to_string(width) + " x " + std::to_string(height), false;
  if (!WithinImageLimits(width, height, reason)) return false;
  header.width = static_cast<int>(width);
  header.height = static_cast<int>(height);
  std::size_t at = 13 + (flags & 0x80 ? 3u << ((flags & 7) + 1) : 0u);
  for (;;) {
    if (!bytes.Has(at, 1)) return reason = kTruncated, false;
    const int block = bytes.At(at++);
    if (block == 0x21) {  // extension: label, then sub-blocks
      if (!bytes.Has(at, 1)) return reason = kTruncated, false;
      ++at;
      if (!SkipSubBlocks(bytes, at, reason)) return false;
    } else if (block == 0x2C) {  // the first frame
      if (!bytes.Has(at, 9)) return reason = kTruncated, false;
      const unsigned long long x = bytes.Le16(at), y = bytes.Le16(at + 2), w = bytes.Le16(at + 4),
                               h = bytes.Le16(at + 6);
      const int frameFlags = bytes.At(at + 8);
      if (x + w > static_cast<unsigned long long>(width) || y + h > static_cast<unsigned long long>(height))
        return reason = "corrupt GIF file: the first frame lies outside the image", false;
      at += 9 + (frameFlags & 0x80 ? 3u << ((frameFlags & 7) + 1) : 0u);
      if (!bytes.Has(at, 1)) return reason = kTruncated, false;
      if (bytes.At(at) > 12)
        return reason = "corrupt GIF file: an LZW code size of " + std::to_string(bytes.At(at)), false;
      ++at;
      if (!SkipSubBlocks(bytes, at, reason)) return false;
      if (static_cast<unsigned long long>(width) * height > kMaxPixelsPerByte * bytes.size())
        return reason = CannotHold(bytes.size(), width, height), false;
      return true;
    } else if (block == 0x3B) {
      return reason = "corrupt GIF file: it holds no image", false;
    } else {
      return reason = "corrupt GIF file: an unknown block", false;
    }
  }
}
