// Reading SHP sprites (see shp_format.h) for inspection. Everything is checked against the
// file's bytes before it is used, so a truncated or crafted file gives an error line, never
// a read outside the buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "memory_image.h"
#include "palette.h"
#include "shp_format.h"

// Larger sides than the image files allow are refused as absurd.
inline constexpr int kMaxShpSide = 16384;
// A picture of a sprite may have kShpPicturePixelsPerByte pixels per byte of the file, and
// at least kMinShpPicturePixels (2048 x 2048) whatever the file's size: a few bytes that
// declare a huge sprite with an empty frame do not cost gigabytes.
inline constexpr long long kMinShpPicturePixels = 2048LL * 2048;
inline constexpr long long kShpPicturePixelsPerByte = 128;
// Files above this size are not read.
inline constexpr std::uint64_t kMaxShpFileSize = std::uint64_t{1} << 30;

// The bytes of a whole file; owns them.
struct FileBytes {
  std::unique_ptr<std::uint8_t[]> data;
  std::size_t size = 0;
};

struct ShpSprite {
  ShpFileHeader header;
  std::vector<ShpFrameHeader> frames;
};

// Reads the whole file. False with a one-line reason when it cannot be opened or read (with
// the system's words), is larger than kMaxShpFileSize, or memory is short.
bool ReadFileBytes(const char* path, FileBytes& bytes, std::string& error);

// Checks the sprite: a zero first field, sides 1..kMaxShpSide, at least one frame, all frame
// headers inside the file, and for every frame with data: the frame inside the sprite, its
// data after the headers and inside the file, and compressed lines that neither leave the
// file nor the frame. False with a one-line reason at the first fault.
bool ParseShp(const std::uint8_t* data, std::size_t size, ShpSprite& sprite, std::string& error);

// Frame `index` of a parsed sprite as palette indices on the sprite's width x height canvas,
// placed at the frame's x, y; index 0 everywhere else. `canvas` must hold width * height
// bytes. False with a reason when the frame's data does not fit (it cannot after ParseShp).
bool DecodeShpFrame(const std::uint8_t* data, std::size_t size, const ShpSprite& sprite, std::size_t index,
                    std::uint8_t* canvas, std::string& error);

// Frame `index` as a picture: each index shown as its palette colour. False with a reason
// when the frame cannot be decoded, the sprite has more pixels than an image file may
// (kMaxImagePixels) or than the file's size justifies (kShpPicturePixelsPerByte), or the
// picture cannot be allocated.
bool DecodeShpFrameToImage(const std::uint8_t* data, std::size_t size, const ShpSprite& sprite, std::size_t index,
                           const Palette& palette, MemoryImage& image, std::string& error);
