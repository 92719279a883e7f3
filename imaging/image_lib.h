// The image library: decodes and encodes image files, built on stb_image and
// stb_image_write. Reads PNG, BMP, JPEG, TGA and GIF (first frame); writes PNG, BMP, TGA
// and JPEG, chosen by the path's extension (case-insensitive; anything else is refused).
//
// Pixel buffers are width x height pixels 0x00RRGGBB, rows top to bottom, no padding.
// Alpha is dropped: byte 3 of every pixel delivered is 0.
// Every function reports failure by returning 0 and never throws.
#pragma once

#include <cstdint>
#include <vector>

#include "pixel.h"

struct ImageSize {
  std::int32_t width;
  std::int32_t height;
};

int ImageInit();
void ImageUnInit();
// Patterns of the readable types, separated by semicolons; owned by the library.
const char* ImageOpenFilterStr();
// Reads the size from the file's header only. Nonzero when the file can be decoded.
int ImageGetSize(const char* path, ImageSize* size);
// Decodes the file into `pixels`, which holds width x height pixels as ImageGetSize gave
// them. Refuses (0, buffer untouched) a file whose size is no longer width x height.
int ImageLoad(const char* path, Pixel* pixels, int width, int height);
// Nonzero when ImageSave knows the format of the path's extension.
int ImageCanSave(const char* path);
// Encodes the pixels in the format of the path's extension into `bytes` (replaced); the
// path is only looked at for its extension. 0 when the extension is unknown or encoding
// failed.
int ImageEncode(const char* path, const Pixel* pixels, int width, int height, std::vector<unsigned char>& bytes);
// Encodes and writes the file in one go; 0 when the extension is unknown or any byte could
// not be written (a partly written file is removed).
int ImageSave(const char* path, const Pixel* pixels, int width, int height);
