// Image files: the only way the program reads and writes image files.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "image.h"
#include "image_decoder.h"

// The file-dialog filter: "Image files:(P)\0P\0All files (*.*)\0*.*\0\0" with P the
// library's pattern list; only the "All files" pair when P does not fit.
inline constexpr std::size_t kImageFilterSize = 256;
extern char ImageFilter[kImageFilterSize];

// Writes the filter list for `patterns` into `out` (kImageFilterSize bytes).
void BuildImageFilter(char* out, const char* patterns);

// Starts the image library and builds ImageFilter. False when the library failed to start.
bool InitImageFiles();

// Fills `image` (which must hold no pixels) from the file. False for a missing, unreadable,
// corrupt, truncated, unsupported or oversized file, or when the image cannot be created;
// the image is then left without pixels as it came, and `reason` says why in the user's
// terms ("No such file or directory", "the file is truncated", ...).
bool LoadImageFile(const char* path, Image& image, std::string& reason);
bool LoadImageFile(const char* path, Image& image);
// The same for the top rows alone: the image gets the file's width and the smaller of its
// height and `rowLimit` (at least 1), and only those rows are decoded. For a caller that
// shows no more of a large picture (the command-line tool's maps).
bool LoadImageFileRows(const char* path, Image& image, int rowLimit, std::string& reason);

// Writes `image` to `path` in the format of its extension. The file is written beside the
// target under a temporary name and renamed over it only when complete (file_replacement.h),
// so a failed save leaves any existing file untouched and no temporary file behind. Nonzero
// on success; on failure `reason` says why ("unsupported format '.xyz' ...", "it is a
// folder", "the folder ... does not exist", the system's words).
int SaveImageFile(const char* path, const Image& image, std::string& reason);
int SaveImageFile(const char* path, const Image& image);

// The bytes SaveImageFile would write to `formatPath` (only its extension is looked at),
// in memory, for callers that write the file themselves. False when the image holds no
// pixels, the extension is unknown or encoding failed.
bool EncodeImageFile(const char* formatPath, const Image& image, std::vector<unsigned char>& bytes);
