// A fast PNG decoder for the files the program reads most: zlib's inflate and our own
// unfiltering, row by row, straight into the caller's rows, stopping after the rows the
// caller needs.
//
// It takes non-interlaced PNG files of every colour type and bit depth and decodes them to
// exactly the pixels stb_image gives (16-bit channels keep their high byte, grey levels of 1,
// 2 and 4 bits are scaled to 0..255, alpha and transparency are dropped). Everything else
// (interlaced files, chunk layouts stb_image refuses or treats specially, data zlib does
// not take) is left to stb_image: the result then says so and nothing was written.
// CRCs and the Adler-32 sum are not checked, as stb_image does not check them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "pixel.h"

enum class PngDecodeResult {
  kDecoded,    // rows 0..rowCount-1 hold their pixels
  kNotForUs,   // not a file this decoder takes: no row was written, another decoder may try
  kCorrupt,    // the image data is damaged; rows before the damage may have been written
};

// The width and height from a PNG header; false when the bytes do not start like a PNG.
bool ReadPngSize(const std::uint8_t* data, std::size_t size, int& width, int& height);

// Decodes rows 0..rowCount-1 (clamped to the image's height) of the PNG in `data`. rowAt(y)
// gives where row y's width pixels go, 0x00RRGGBB, rows in order from 0.
PngDecodeResult DecodePngRows(const std::uint8_t* data, std::size_t size, int rowCount,
                              const std::function<Pixel*(int)>& rowAt);
