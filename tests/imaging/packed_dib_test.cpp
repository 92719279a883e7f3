// Clipboard bitmaps turned into pixels: every row order, depth and mask layout a program
// puts there, and damaged or absurd headers refused before anything is allocated.
#include "packed_dib.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

void Put32(Bytes& bytes, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<unsigned char>(value >> (8 * i)));
}
void Put16(Bytes& bytes, unsigned value) {
  bytes.push_back(static_cast<unsigned char>(value));
  bytes.push_back(static_cast<unsigned char>(value >> 8));
}

// A header of `headerSize` bytes (40, 108 or 124); masks land in the V4/V5 header.
Bytes Header(std::uint32_t headerSize, std::int32_t width, std::int32_t height, unsigned bits,
             std::uint32_t compression, const std::uint32_t* masks = nullptr) {
  Bytes b;
  Put32(b, headerSize);
  Put32(b, static_cast<std::uint32_t>(width));
  Put32(b, static_cast<std::uint32_t>(height));
  Put16(b, 1);
  Put16(b, bits);
  Put32(b, compression);
  for (int i = 0; i < 5; ++i) Put32(b, 0);  // image size, resolution, colours used, important
  if (headerSize > 40) {
    for (int i = 0; i < 3; ++i) Put32(b, masks ? masks[i] : 0);
    b.resize(headerSize, 0);
  }
  return b;
}

MemoryImage Decode(const Bytes& bytes) {
  MemoryImage picture;
  std::string reason;
  EXPECT_TRUE(DecodePackedDib(bytes.data(), bytes.size(), picture, reason)) << reason;
  return picture;
}

// The expected 2 x 2 picture of every layout below: red, green / blue, white (top row first).
void ExpectCorners(const MemoryImage& p, const char* layout) {
  ASSERT_EQ(p.width, 2) << layout;
  ASSERT_EQ(p.height, 2) << layout;
  EXPECT_EQ(p.ReadPixel(0, 0), 0xFF0000u) << layout;
  EXPECT_EQ(p.ReadPixel(1, 0), 0x00FF00u) << layout;
  EXPECT_EQ(p.ReadPixel(0, 1), 0x0000FFu) << layout;
  EXPECT_EQ(p.ReadPixel(1, 1), 0xFFFFFFu) << layout;
}

TEST(PackedDib, ReadsEveryLayout) {
  // 24 bits, bottom-up, each 6-byte row padded to 8.
  Bytes rgb24 = Header(40, 2, 2, 24, 0);
  for (unsigned char v : {0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0xFF, 0, 0xFF, 0, 0, 0}) rgb24.push_back(v);
  ExpectCorners(Decode(rgb24), "24-bit bottom-up");

  // 32 bits, top-down; the fourth byte is ignored.
  Bytes rgb32 = Header(40, 2, -2, 32, 0);
  for (std::uint32_t v : {0x80FF0000u, 0x1200FF00u, 0xFF0000FFu, 0x00FFFFFFu}) Put32(rgb32, v);
  ExpectCorners(Decode(rgb32), "32-bit top-down");

  // Masks after a plain header, red in the low byte, bottom-up.
  Bytes masked = Header(40, 2, 2, 32, 3);
  for (std::uint32_t m : {0xFFu, 0xFF00u, 0xFF0000u}) Put32(masked, m);
  for (std::uint32_t v : {0xFF0000u, 0xFFFFFFu, 0x0000FFu, 0x00FF00u}) Put32(masked, v);
  ExpectCorners(Decode(masked), "32-bit masks after the header");

  // A V5 header holds its masks; 16 bits 5-6-5 widen to full scale; 2-pixel rows are 4 bytes.
  const std::uint32_t masks565[3] = {0xF800, 0x07E0, 0x001F};
  Bytes v5 = Header(124, 2, -2, 16, 3, masks565);
  for (unsigned v : {0xF800u, 0x07E0u, 0x001Fu, 0xFFFFu}) Put16(v5, v);
  ExpectCorners(Decode(v5), "16-bit 5-6-5 in a V5 header");

  // 16 bits without masks are 5-5-5; a colour table before the rows is skipped.
  Bytes rgb555 = Header(40, 2, -2, 16, 0);
  rgb555[32] = 2;  // two colours used
  Put32(rgb555, 0x123456);
  Put32(rgb555, 0x654321);
  for (unsigned v : {0x7C00u, 0x03E0u, 0x001Fu, 0x7FFFu}) Put16(rgb555, v);
  ExpectCorners(Decode(rgb555), "16-bit 5-5-5 after a colour table");
}

TEST(PackedDib, RefusesDamagedAndAbsurdBitmapsAndKeepsThePicture) {
  Bytes good = Header(40, 2, 2, 32, 0);
  for (int i = 0; i < 4; ++i) Put32(good, 0);
  Bytes truncatedRows = good;
  truncatedRows.pop_back();
  Bytes huge = Header(40, 100000, 100000, 32, 0);
  Bytes tallLie = Header(40, 16384, -16384, 32, 0);  // allowed size, rows missing
  Bytes minHeight = Header(40, 4, INT_MIN, 32, 0);
  Bytes zeroWidth = Header(40, 0, 4, 32, 0);
  Bytes negativeWidth = Header(40, -4, 4, 32, 0);
  Bytes eightBit = Header(40, 2, 2, 8, 0);
  Bytes rle = Header(40, 2, 2, 24, 1);
  Bytes oddHeader = Header(40, 2, 2, 32, 0);
  oddHeader[0] = 64;
  Bytes masksMissing = Header(40, 2, 2, 32, 3);
  Bytes hugeTable = good;
  hugeTable[32] = 0xFF, hugeTable[33] = 0xFF, hugeTable[34] = 0xFF, hugeTable[35] = 0x7F;
  Bytes shortHeader(good.begin(), good.begin() + 20);
  for (const Bytes* bytes : {&truncatedRows, &huge, &tallLie, &minHeight, &zeroWidth, &negativeWidth, &eightBit, &rle,
                             &oddHeader, &masksMissing, &hugeTable, &shortHeader}) {
    MemoryImage kept;
    kept.Create(3, 3);
    std::string reason;
    EXPECT_FALSE(DecodePackedDib(bytes->data(), bytes->size(), kept, reason)) << reason;
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(kept.width, 3);
  }
  MemoryImage picture;
  std::string reason;
  EXPECT_FALSE(DecodePackedDib(nullptr, 0, picture, reason));
  EXPECT_TRUE(DecodePackedDib(good.data(), good.size(), picture, reason)) << reason;
}

// Every clipboard format is held to the image files' limits before anything is allocated:
// 16384 a side and 67108864 pixels in all (a 16384 x 16384 bitmap would take a gigabyte).
TEST(PackedDib, SizesAreCheckedAgainstTheImageFilesPixelLimit) {
  EXPECT_EQ(ClipboardBitmapSizeProblem(800, 520), "");
  EXPECT_EQ(ClipboardBitmapSizeProblem(16384, 4096), "");
  EXPECT_EQ(ClipboardBitmapSizeProblem(0, 5), "the bitmap has no pixels");
  EXPECT_EQ(ClipboardBitmapSizeProblem(5, -1), "the bitmap has no pixels");
  for (const auto& [width, height] : {std::pair{16384LL, 4097LL}, std::pair{16385LL, 1LL}, std::pair{1LL, 70000LL}})
    EXPECT_NE(ClipboardBitmapSizeProblem(width, height).find("more than the 16384 on a side and 67108864 in all"),
              std::string::npos)
        << width << " x " << height;
  // A header of 16384 x 8192 is refused for its size, whatever rows follow.
  const Bytes header = Header(40, 16384, -8192, 32, 0);
  MemoryImage picture;
  std::string reason;
  EXPECT_FALSE(DecodePackedDib(header.data(), header.size(), picture, reason));
  EXPECT_EQ(reason, ClipboardBitmapSizeProblem(16384, 8192));
}

}  // namespace
