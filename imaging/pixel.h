// Pixels and the colour helpers.
//
// A pixel is a 32-bit value 0x00RRGGBB: in memory (little-endian) byte 0 is blue, byte 1
// green, byte 2 red, byte 3 carries no colour. This is the layout of a 32-bit Windows DIB.
// There is no alpha: transparency is a colour key compared on all 32 bits at paste time.
// Every colour computed here has byte 3 equal to 0.
#pragma once

#include <cstdint>

using Pixel = std::uint32_t;

// The load screen's transparent key, pure blue.
inline constexpr Pixel kTransparentKey = 0x000000FF;

inline constexpr unsigned RedOf(Pixel p) { return (p >> 16) & 0xFF; }
inline constexpr unsigned GreenOf(Pixel p) { return (p >> 8) & 0xFF; }
inline constexpr unsigned BlueOf(Pixel p) { return p & 0xFF; }
inline constexpr Pixel MakePixel(unsigned red, unsigned green, unsigned blue) {
  return ((red & 0xFF) << 16) | ((green & 0xFF) << 8) | (blue & 0xFF);
}

class Image;

// Every pixel of a valid image equal to `from` (all 32 bits) becomes `to`.
void ReplaceColour(Image& image, Pixel from, Pixel to);
// Exchanges bytes 0 and 2 (pixel <-> Win32 COLORREF); byte 3 becomes 0.
Pixel SwapRedBlue(Pixel colour);
// c + ((255 - c) * amount) / 256 per channel; unchanged when amount (unsigned) > 256.
Pixel Lighten(Pixel colour, std::uint32_t amount);
// c - (c * amount) / 256 per channel; unchanged when amount (unsigned) > 255.
Pixel Darken(Pixel colour, std::uint32_t amount);
// (76 R + 151 G + 28 B) >> 8 in all three channels (white gives 254).
Pixel ToGrey(Pixel colour);
