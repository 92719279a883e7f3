// Pictures that arrive as the bytes of an image file instead of as a file: the clipboard's
// "PNG" format, and a look at the start of a file before anyone reads it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "memory_image.h"

// Fills `picture` from `size` bytes of a PNG file at `data`, through the checks, size limits
// and decoder of LoadImageFile (image_files.h), so the bytes of a file give the pixels the
// file gives. False with a reason, `picture` untouched: more bytes than an image file may
// have, bytes that are not a PNG image ("it is a BMP image"), or the checks' and the
// decoder's reasons.
bool DecodePngBytes(const std::uint8_t* data, std::size_t size, MemoryImage& picture, std::string& reason);

// Whether the file at `path` starts as an image of a format the decoders read, told by its
// content as LoadImageFile tells it (not by its name). Reads at most its first bytes; false
// for anything that cannot be opened as a regular file. A true answer does not promise that
// the whole file decodes.
bool FileStartsAsImage(const std::string& path);
