// The image library: decodes and encodes image files, built on stb_image and
// stb_image_write. Reads PNG, BMP, JPEG, TGA and GIF (first frame); writes PNG, BMP, TGA
// and JPEG, chosen by the path's extension (case-insensitive; anything else is refused).
// Every file is checked before the decoder sees it (image_decoder.h) and every file is
// written through safe file replacement (file_replacement.h).
//
// Pixel buffers are width x height pixels 0x00RRGGBB, rows top to bottom, no padding.
// Alpha is dropped: byte 3 of every pixel delivered is 0.
// Every function reports failure by returning 0 (or false) and never throws.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "image_decoder.h"
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
// Encodes and writes the file in one go; 0 when the extension is unknown or the file could
// not be written (an existing file is then left as it was).
int ImageSave(const char* path, const Pixel* pixels, int width, int height);

// With reasons, for the program's own layer (image_files.h):
// Reads the whole file and checks it. False with a reason (the system's words for a file
// that cannot be read, or CheckImageBytes' reason).
bool ReadImageBytes(const char* path, std::vector<std::uint8_t>& bytes, ImageHeader& header, std::string& reason);
// Empty when a file can be saved at the path as far as can be told before writing: a known
// format, a folder to put it in. Otherwise the reason ("it is a folder", "unsupported
// format '.gif' (use ...)").
std::string ImageSaveProblem(const char* path);
// Encodes the rows that `row(y)` gives (each `width` pixels) in the format of the path's
// extension and replaces the file safely. False with a reason.
bool WriteImageRows(const char* path, int width, int height, const std::function<const Pixel*(int)>& row,
                    std::string& reason);
// The bytes WriteImageRows would write, in memory (only the path's extension is looked at),
// for callers that put the file in place themselves. False when the extension is unknown or
// encoding failed.
bool EncodeImageRows(const char* path, int width, int height, const std::function<const Pixel*(int)>& row,
                     std::vector<unsigned char>& bytes);

// GIF holds at most 256 colours, so its encoder needs a palette, which the export layer's
// quantizer makes; that layer hands its encoder in here (EnableGifWriting, gif_writer.h).
// Until then ".gif" is not a format this layer writes. The encoder takes packed 8-bit RGB
// rows and appends the file's bytes; false when it failed.
using GifEncoder = bool (*)(int width, int height, const unsigned char* rgb, std::vector<unsigned char>& bytes);
void SetGifEncoder(GifEncoder encoder);
