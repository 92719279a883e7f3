// What an image file declares before its pixels are decoded: its format and size, and the
// limits every reader of images keeps to.
#pragma once

#include <cstdint>

enum class ImageFormat { Unknown, Png, Bmp, Gif, Jpeg, Tga };

// "PNG", "BMP", "GIF", "JPEG", "TGA"; "unknown".
const char* ImageFormatName(ImageFormat format);

// Images above these are refused before any pixel is allocated: at most kMaxImageSide
// pixels on a side and kMaxImagePixels pixels in all (256 MiB of pixels).
inline constexpr int kMaxImageSide = 16384;
inline constexpr long long kMaxImagePixels = 1LL << 26;
// Image files above this size are not read.
inline constexpr std::uint64_t kMaxImageFileSize = std::uint64_t{1} << 29;

struct ImageHeader {
  ImageFormat format = ImageFormat::Unknown;
  int width = 0;
  int height = 0;
};
