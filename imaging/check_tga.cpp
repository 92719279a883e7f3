#include "image_format_checks.h"

// TGA has no signature; the decoder's own test has accepted the header already. What it
// reads from there on is trusted to be present (missing bytes read as zeros), so the data
// is measured here: raw pixels, or run-length packets walked to the last pixel.
bool CheckTga(const ByteView& bytes, ImageHeader& header, std::string& reason) {
  if (!bytes.Has(0, 18)) return reason = kTruncated, false;
  const int idLength = bytes.At(0), colourMapType = bytes.At(1), imageType = bytes.At(2);
  const std::uint32_t paletteStart = bytes.Le16(3), paletteLength = bytes.Le16(5);
  const int paletteBits = bytes.At(7);
  const long long width = bytes.Le16(12), height = bytes.Le16(14);
  const int bitsPerPixel = bytes.At(16);
  if (!WithinImageLimits(width, height, reason)) return false;
  header.width = static_cast<int>(width);
  header.height = static_cast<int>(height);

  const bool indexed = colourMapType == 1, runLength = imageType >= 8;
  std::size_t at = 18 + static_cast<std::size_t>(idLength);
  std::size_t pixelBytes;
  if (indexed) {
    if (paletteLength == 0) return reason = "corrupt TGA file: an empty colour map", false;
    // The decoder skips `paletteStart` bytes, then reads the entries.
    const std::size_t entryBytes = paletteBits == 15 || paletteBits == 16 ? 2
                                                                          : static_cast<std::size_t>(paletteBits) / 8;
    at += paletteStart + paletteLength * entryBytes;
    pixelBytes = bitsPerPixel == 8 ? 1 : 2;
  } else {
    pixelBytes = bitsPerPixel == 15 ? 2 : static_cast<std::size_t>(bitsPerPixel) / 8;
  }
  if (pixelBytes == 0)
    return reason = "unsupported TGA file: " + std::to_string(bitsPerPixel) + " bits per pixel", false;
  const unsigned long long pixels = static_cast<unsigned long long>(width) * height;
  if (!runLength) {
    if (!bytes.Has(at, 0) || pixels * pixelBytes > bytes.size() - at) return reason = kTruncated, false;
    return true;
  }
  for (unsigned long long done = 0; done < pixels;) {
    if (!bytes.Has(at, 1)) return reason = kTruncated, false;
    const int packet = bytes.At(at++);
    const unsigned count = 1 + (packet & 127);
    const std::size_t need = packet & 128 ? pixelBytes : count * pixelBytes;
    if (!bytes.Has(at, need)) return reason = kTruncated, false;
    at += need;
    done += count;
  }
  return true;
}
