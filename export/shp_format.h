// The SHP sprite format of the games (the 2-byte-field variant), little-endian:
//
//   file header, 8 bytes:   zero, width, height, frame count          (16-bit each)
//   per frame, 24 bytes:    x, y, width, height                       (16-bit each)
//                           flags, colour, reserved, data offset      (32-bit each)
//   frame data at its offset (0 = the frame has no data).
//
// Flags bit 1 (value 2) marks data compressed line by line: each line starts with its
// 16-bit length (these 2 bytes included), then bytes where 0x00 is followed by a count of
// zero pixels and any other byte is one pixel. Otherwise the data is width * height raw
// indices, rows from the top. Our own writer stores one raw frame.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr std::size_t kShpFileHeaderSize = 8;
inline constexpr std::size_t kShpFrameHeaderSize = 24;
inline constexpr std::uint32_t kShpFlagCompressed = 2;

struct ShpFileHeader {
  std::uint16_t zero = 0;
  std::uint16_t width = 0;
  std::uint16_t height = 0;
  std::uint16_t frameCount = 0;
};

struct ShpFrameHeader {
  std::uint16_t x = 0;
  std::uint16_t y = 0;
  std::uint16_t width = 0;
  std::uint16_t height = 0;
  std::uint32_t flags = 0;
  std::uint32_t color = 0;
  std::uint32_t reserved = 0;
  std::uint32_t dataOffset = 0;
};

void EncodeShpFileHeader(const ShpFileHeader& header, std::uint8_t (&bytes)[kShpFileHeaderSize]);
void EncodeShpFrameHeader(const ShpFrameHeader& frame, std::uint8_t (&bytes)[kShpFrameHeaderSize]);
// The headers of a sprite of one raw frame of width x height, its data right after them:
// what our writer stores.
inline constexpr std::size_t kOneFrameShpHeadersSize = kShpFileHeaderSize + kShpFrameHeaderSize;
void EncodeOneFrameShpHeaders(int width, int height, std::uint8_t (&bytes)[kOneFrameShpHeadersSize]);
// Read the fields from `bytes`, which must hold 8 / 24 bytes.
ShpFileHeader DecodeShpFileHeader(const std::uint8_t* bytes);
ShpFrameHeader DecodeShpFrameHeader(const std::uint8_t* bytes);
