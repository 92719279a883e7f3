// PNG rows decoded by Debian's libspng straight into the caller's rows, stopping after the
// rows the caller needs: the fast road for the files the program reads most.
//
// It decodes every PNG layout (each colour type and bit depth, interlaced or not) to the
// pixels stb_image gives for it: 16-bit samples keep their high byte, grey levels of 1, 2
// and 4 bits are scaled to 0..255, alpha, transparency and gamma are ignored. Like
// stb_image it does not check the chunk CRCs or the Adler-32 sum. A palette index beyond
// the palette reads as black (stb_image leaves such pixels undefined).
//
// The bytes must have passed CheckImageBytes (image_decoder.h); libspng is given the same
// size limits on top.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "pixel.h"

// Decodes rows 0..rowCount-1 (clamped to the image's height) of the PNG in `data` into
// rowAt(y), width pixels 0x00RRGGBB each. Rows come in order from 0, except in interlaced
// files, whose passes revisit them (every row is final when the call returns true). False
// with libspng's reason when it refuses the file; the rows may then hold anything.
bool DecodePngRows(const std::uint8_t* data, std::size_t size, int rowCount, const std::function<Pixel*(int)>& rowAt,
                   std::string& reason);
