#include "image_format_checks.h"

// The decoder reads the pixel rows straight after the header (or from the data offset) and
// fills anything past the end of the file with zeros: a short file must be refused here.
bool CheckBmp(const ByteView& bytes, ImageHeader& header, std::string& reason) {
  if (!bytes.Has(0, 26)) return reason = kTruncated, false;
  const std::uint32_t offset = bytes.Le32(10), headerSize = bytes.Le32(14);
  long long width, height;
  int bitsPerPixel;
  std::uint32_t compression = 0;
  if (headerSize == 12) {
    width = bytes.Le16(18);
    height = static_cast<std::int16_t>(bytes.Le16(20));
    bitsPerPixel = static_cast<int>(bytes.Le16(24));
  } else {
    if (!bytes.Has(0, 14 + std::size_t{headerSize})) return reason = kTruncated, false;
    width = static_cast<std::int32_t>(bytes.Le32(18));
    height = static_cast<std::int32_t>(bytes.Le32(22));
    bitsPerPixel = static_cast<int>(bytes.Le16(28));
    compression = bytes.Le32(30);
  }
  if (compression == 1 || compression == 2) return reason = "unsupported BMP file: run-length compressed", false;
  if (compression != 0 && compression != 3)
    return reason = "unsupported BMP file: compression " + std::to_string(compression), false;
  if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 16 && bitsPerPixel != 24 &&
      bitsPerPixel != 32)
    return reason = "unsupported BMP file: " + std::to_string(bitsPerPixel) + " bits per pixel", false;
  // A negative height stores the rows top-down.
  if (height < 0) height = -height;
  if (width <= 0 || height == 0)
    return reason = "corrupt BMP file: the image is " + std::to_string(width) + " x " + std::to_string(height), false;
  if (!WithinImageLimits(width, height, reason)) return false;
  header.width = static_cast<int>(width);
  header.height = static_cast<int>(height);
  // Rows are padded to four bytes.
  const unsigned long long rowBytes = (static_cast<unsigned long long>(width) * bitsPerPixel + 31) / 32 * 4;
  if (offset + rowBytes * static_cast<unsigned long long>(height) > bytes.size()) return reason = kTruncated, false;
  return true;
}
