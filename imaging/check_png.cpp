#include "image_format_checks.h"

namespace {

constexpr std::uint32_t Tag(char a, char b, char c, char d) {
  return std::uint32_t(std::uint8_t(a)) << 24 | std::uint32_t(std::uint8_t(b)) << 16 |
         std::uint32_t(std::uint8_t(c)) << 8 | std::uint8_t(d);
}

// Channels of each colour type; 0 for a type that does not exist.
int Channels(int colourType) {
  switch (colourType) {
    case 0: return 1;  // grey
    case 2: return 3;  // RGB
    case 3: return 1;  // palette index
    case 4: return 2;  // grey and alpha
    case 6: return 4;  // RGBA
    default: return 0;
  }
}

// Deflate compresses at most 1032 to 1: a 258-byte match coded in two 1-bit codes.
constexpr unsigned long long kMaxDeflateRatio = 1032;

}  // namespace

bool CheckPng(const ByteView& bytes, ImageHeader& header, std::string& reason) {
  std::size_t at = 8;  // past the signature
  bool haveHeader = false;
  unsigned long long rowBytes = 0, imageData = 0;
  for (;;) {
    if (!bytes.Has(at, 8)) return reason = kTruncated, false;
    const std::uint32_t length = bytes.Be32(at), type = bytes.Be32(at + 4);
    if (length > 0x7FFFFFFFu)
      return reason = "corrupt PNG file: a chunk declares " + std::to_string(length) + " bytes", false;
    if (!bytes.Has(at + 8, std::size_t{length} + 4)) return reason = kTruncated, false;
    const std::size_t body = at + 8;
    if (type == Tag('I', 'H', 'D', 'R')) {
      if (haveHeader || length != 13) return reason = "corrupt PNG file: a bad IHDR chunk", false;
      const std::uint32_t width = bytes.Be32(body), height = bytes.Be32(body + 4);
      const int depth = bytes.At(body + 8), channels = Channels(bytes.At(body + 9));
      if (channels == 0 || (depth != 1 && depth != 2 && depth != 4 && depth != 8 && depth != 16))
        return reason = "unsupported PNG file: colour type " + std::to_string(bytes.At(body + 9)) + " with " +
                        std::to_string(depth) + "-bit samples",
               false;
      if (width == 0 || height == 0 || width > 0x7FFFFFFFu || height > 0x7FFFFFFFu)
        return reason = "corrupt PNG file: the image is " + std::to_string(width) + " x " + std::to_string(height),
               false;
      if (!WithinImageLimits(width, height, reason)) return false;
      header.width = static_cast<int>(width);
      header.height = static_cast<int>(height);
      rowBytes = 1 + (static_cast<unsigned long long>(width) * channels * depth + 7) / 8;
      haveHeader = true;
    } else if (!haveHeader && type != Tag('C', 'g', 'B', 'I')) {
      return reason = "corrupt PNG file: it does not start with its IHDR chunk", false;
    } else if (type == Tag('I', 'D', 'A', 'T')) {
      imageData += length;
    } else if (type == Tag('I', 'E', 'N', 'D')) {
      break;
    }
    at = body + length + 4;
  }
  if (imageData == 0) return reason = "corrupt PNG file: it holds no image data", false;
  // Rows of filtered pixels are what the image data inflates to (interlaced images need
  // a little more), so data that cannot inflate to them cannot be a complete image.
  if (rowBytes * static_cast<unsigned long long>(header.height) > imageData * kMaxDeflateRatio)
    return reason = CannotHold(static_cast<std::size_t>(imageData), header.width, header.height), false;
  return true;
}
