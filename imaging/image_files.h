// Image files: the only way the program reads and writes image files.
#pragma once

#include <cstddef>
#include <vector>

#include "image.h"

// Images above these are refused before any pixel is allocated: at most kMaxImageSide
// pixels on a side and kMaxImagePixels pixels in all (256 MiB of pixels).
inline constexpr int kMaxImageSide = 16384;
inline constexpr long long kMaxImagePixels = 1LL << 26;

// The file-dialog filter: "Image files:(P)\0P\0All files (*.*)\0*.*\0\0" with P the
// library's pattern list; only the "All files" pair when P does not fit.
inline constexpr std::size_t kImageFilterSize = 256;
extern char ImageFilter[kImageFilterSize];

// Writes the filter list for `patterns` into `out` (kImageFilterSize bytes).
void BuildImageFilter(char* out, const char* patterns);

// Starts the image library and builds ImageFilter. False when the library failed to start.
bool InitImageFiles();

// Fills `image` (which must hold no pixels) from the file. False for a missing, unreadable,
// corrupt or oversized file, or when the image cannot be created; the image is then left
// without pixels as it came.
bool LoadImageFile(const char* path, Image& image);

// Writes `image` to `path` in the format of its extension. The file is written beside the
// target under a temporary name and renamed over it only when complete, so a failed save
// leaves any existing file untouched and no temporary file behind. Nonzero on success.
int SaveImageFile(const char* path, const Image& image);

// The bytes SaveImageFile would write to `formatPath` (only its extension is looked at),
// in memory, for callers that write the file themselves. False when the image holds no
// pixels, the extension is unknown or encoding failed.
bool EncodeImageFile(const char* formatPath, const Image& image, std::vector<unsigned char>& bytes);
