// Decoding image files held in memory: the checks that come before the decoders, and the
// decoders themselves, both from Debian's packages: libspng for PNG files (spng_rows.h),
// stb_image for the rest.
//
// A decoder trusts what a file declares: its sizes, its table lengths and counts, the
// length of its data. CheckImageBytes verifies all of that first, for the format the decoder
// will pick (it detects formats by content, as stb_image does, whatever the file is
// called), so that no file can make the decoder read or write outside its buffers or
// allocate much more memory than the file's size justifies. A file that ends before its
// pixel data does is refused as truncated.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "image_header.h"
#include "pixel.h"

// The format the decoder will use for these bytes (Unknown when none).
ImageFormat DetectImageFormat(const std::uint8_t* data, std::size_t size);

// Checks the bytes before the decoder sees them and fills `header`. False with a reason:
// "unsupported format ...", "the file is truncated ...", "corrupt JPEG file: ...", or a size
// above the limits or beyond what the file's bytes can hold.
bool CheckImageBytes(const std::uint8_t* data, std::size_t size, ImageHeader& header, std::string& reason);

// Decodes bytes that passed CheckImageBytes into `pixels` (header.width x header.height,
// 0x00RRGGBB, rows top to bottom). False with a reason when the decoder refuses the data.
bool DecodeImageBytes(const std::uint8_t* data, std::size_t size, const ImageHeader& header, Pixel* pixels,
                      std::string& reason);

// The same decoding row by row: rows 0..rowCount-1 (at most the header's height) go to
// rowAt(y), header.width pixels each. PNG files go to libspng (spng_rows.h), which writes
// each row straight where it belongs and stops after the last row asked for; a PNG file it
// refuses is decoded by stb_image as the other formats are. False with a reason as above;
// the rows may then hold anything.
bool DecodeImageRows(const std::uint8_t* data, std::size_t size, const ImageHeader& header, int rowCount,
                     const std::function<Pixel*(int)>& rowAt, std::string& reason);
