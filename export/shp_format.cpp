#include "shp_format.h"

#include <cstring>

namespace {
void Put16(std::uint8_t* at, std::uint16_t value) {
  at[0] = static_cast<std::uint8_t>(value);
  at[1] = static_cast<std::uint8_t>(value >> 8);
}
void Put32(std::uint8_t* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}
std::uint16_t Get16(const std::uint8_t* at) { return static_cast<std::uint16_t>(at[0] | at[1] << 8); }
std::uint32_t Get32(const std::uint8_t* at) {
  return std::uint32_t{at[0]} | std::uint32_t{at[1]} << 8 | std::uint32_t{at[2]} << 16 | std::uint32_t{at[3]} << 24;
}
}  // namespace

void EncodeShpFileHeader(const ShpFileHeader& header, std::uint8_t (&bytes)[kShpFileHeaderSize]) {
  Put16(bytes, header.zero);
  Put16(bytes + 2, header.width);
  Put16(bytes + 4, header.height);
  Put16(bytes + 6, header.frameCount);
}

void EncodeShpFrameHeader(const ShpFrameHeader& frame, std::uint8_t (&bytes)[kShpFrameHeaderSize]) {
  Put16(bytes, frame.x);
  Put16(bytes + 2, frame.y);
  Put16(bytes + 4, frame.width);
  Put16(bytes + 6, frame.height);
  Put32(bytes + 8, frame.flags);
  Put32(bytes + 12, frame.color);
  Put32(bytes + 16, frame.reserved);
  Put32(bytes + 20, frame.dataOffset);
}

void EncodeOneFrameShpHeaders(int width, int height, std::uint8_t (&bytes)[kOneFrameShpHeadersSize]) {
  ShpFileHeader header;
  header.width = static_cast<std::uint16_t>(width);
  header.height = static_cast<std::uint16_t>(height);
  header.frameCount = 1;
  ShpFrameHeader frame;
  frame.width = header.width;
  frame.height = header.height;
  frame.dataOffset = kOneFrameShpHeadersSize;
  std::uint8_t headerBytes[kShpFileHeaderSize], frameBytes[kShpFrameHeaderSize];
  EncodeShpFileHeader(header, headerBytes);
  EncodeShpFrameHeader(frame, frameBytes);
  std::memcpy(bytes, headerBytes, kShpFileHeaderSize);
  std::memcpy(bytes + kShpFileHeaderSize, frameBytes, kShpFrameHeaderSize);
}

ShpFileHeader DecodeShpFileHeader(const std::uint8_t* bytes) {
  return {Get16(bytes), Get16(bytes + 2), Get16(bytes + 4), Get16(bytes + 6)};
}

ShpFrameHeader DecodeShpFrameHeader(const std::uint8_t* bytes) {
  return {Get16(bytes),     Get16(bytes + 2),  Get16(bytes + 4),  Get16(bytes + 6),
          Get32(bytes + 8), Get32(bytes + 12), Get32(bytes + 16), Get32(bytes + 20)};
}
