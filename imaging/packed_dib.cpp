#include "packed_dib.h"

#include <cstdint>
#include <utility>

#include "image_decoder.h"

namespace {

constexpr std::uint32_t kInfoHeaderSize = 40, kV4HeaderSize = 108, kV5HeaderSize = 124;
constexpr std::uint32_t kRgb = 0, kBitfields = 3;

std::uint32_t Read32(const unsigned char* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t Read16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

// One colour channel under a mask, widened or narrowed to 8 bits.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  int bits = 0;

  explicit Channel(std::uint32_t m) : mask(m) {
    if (!mask) return;
    while (!((mask >> shift) & 1)) ++shift;
    while (shift + bits < 32 && ((mask >> (shift + bits)) & 1)) ++bits;
  }
  unsigned Of(std::uint32_t value) const {
    if (!bits) return 0;
    const std::uint32_t v = (value & mask) >> shift;
    if (bits >= 8) return v >> (bits - 8);
    // Repeat the bits so full scale stays full scale: 5-bit 31 gives 255.
    std::uint32_t wide = 0;
    for (int filled = 0; filled < 8; filled += bits) wide = (wide << bits) | v;
    return (wide >> (((8 + bits - 1) / bits) * bits - 8)) & 0xFF;
  }
};

bool Fail(std::string& reason, const char* why) {
  reason = why;
  return false;
}

}  // namespace

std::string ClipboardBitmapSizeProblem(long long width, long long height) {
  if (width <= 0 || height <= 0) return "the bitmap has no pixels";
  if (width > kMaxImageSide || height > kMaxImageSide || width * height > kMaxImagePixels)
    return "the bitmap is too large: " + std::to_string(width) + " x " + std::to_string(height) +
           " pixels, more than the " + std::to_string(kMaxImageSide) + " on a side and " +
           std::to_string(kMaxImagePixels) + " in all that a picture may have";
  return {};
}

bool DecodePackedDib(const unsigned char* data, std::size_t size, MemoryImage& picture, std::string& reason) {
  if (!data || size < 4) return Fail(reason, "truncated bitmap header");
  const std::uint32_t headerSize = Read32(data);
  if (headerSize != kInfoHeaderSize && headerSize != kV4HeaderSize && headerSize != kV5HeaderSize)
    return Fail(reason, "unsupported bitmap header");
  if (size < headerSize) return Fail(reason, "truncated bitmap header");
  const std::int32_t width = static_cast<std::int32_t>(Read32(data + 4));
  const std::int32_t rawHeight = static_cast<std::int32_t>(Read32(data + 8));
  const std::uint16_t bitCount = Read16(data + 14);
  const std::uint32_t compression = Read32(data + 16);
  const std::uint32_t coloursUsed = Read32(data + 32);
  const bool topDown = rawHeight < 0;
  const long long height = topDown ? -static_cast<long long>(rawHeight) : rawHeight;
  if (std::string problem = ClipboardBitmapSizeProblem(width, height); !problem.empty()) {
    reason = std::move(problem);
    return false;
  }

  std::uint32_t masks[3] = {0xFF0000, 0xFF00, 0xFF};
  std::size_t offset = headerSize;
  if (compression == kBitfields && (bitCount == 16 || bitCount == 32)) {
    // A plain info header is followed by the three masks; the later headers hold them.
    const unsigned char* at = data + 40;
    if (headerSize == kInfoHeaderSize) {
      if (size < offset + 12) return Fail(reason, "truncated colour masks");
      offset += 12;
    }
    for (int i = 0; i < 3; ++i) masks[i] = Read32(at + 4 * i);
  } else if (compression == kRgb && bitCount == 16) {
    masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;  // the 5-5-5 layout
  } else if (compression != kRgb || (bitCount != 24 && bitCount != 32)) {
    return Fail(reason, "unsupported bitmap format (16, 24 and 32 bits per pixel are read)");
  }
  // A colour table may stand before the rows even of a true-colour bitmap.
  if (coloursUsed > 256) return Fail(reason, "unsupported colour table");
  offset += static_cast<std::size_t>(coloursUsed) * 4;

  const std::size_t stride = (static_cast<std::size_t>(width) * bitCount + 31) / 32 * 4;
  if (offset > size || (size - offset) / stride < static_cast<std::size_t>(height))
    return Fail(reason, "truncated bitmap rows");

  MemoryImage decoded;
  if (!decoded.Create(width, static_cast<int>(height))) return Fail(reason, "out of memory");
  const Channel red(masks[0]), green(masks[1]), blue(masks[2]);
  const int bytes = bitCount / 8;
  for (long long row = 0; row < height; ++row) {
    const unsigned char* from = data + offset + stride * static_cast<std::size_t>(topDown ? row : height - 1 - row);
    Pixel* to = decoded.GetRow(static_cast<int>(row));
    for (int column = 0; column < width; ++column, from += bytes) {
      if (bitCount != 16 && compression == kRgb) {
        to[column] = MakePixel(from[2], from[1], from[0]);
      } else {
        const std::uint32_t value = bitCount == 16 ? Read16(from) : Read32(from);
        to[column] = MakePixel(red.Of(value), green.Of(value), blue.Of(value));
      }
    }
  }
  picture = std::move(decoded);
  return true;
}
