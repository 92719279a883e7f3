#include "image.h"
#include "pixel.h"

void ReplaceColour(Image& image, Pixel from, Pixel to) {
  if (!image.valid) return;
  for (int y = 0; y < image.height; ++y) {
    Pixel* row = image.GetRow(y);
    for (int x = 0; x < image.width; ++x)
      if (row[x] == from) row[x] = to;
  }
}

Pixel SwapRedBlue(Pixel colour) { return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF); }

Pixel Lighten(Pixel colour, std::uint32_t amount) {
  if (amount > 256) return colour;
  auto up = [amount](unsigned c) { return c + ((255 - c) * amount) / 256; };
  return MakePixel(up(RedOf(colour)), up(GreenOf(colour)), up(BlueOf(colour)));
}

Pixel Darken(Pixel colour, std::uint32_t amount) {
  if (amount > 255) return colour;
  auto down = [amount](unsigned c) { return c - (c * amount) / 256; };
  return MakePixel(down(RedOf(colour)), down(GreenOf(colour)), down(BlueOf(colour)));
}

Pixel ToGrey(Pixel colour) {
  const unsigned g = (76 * RedOf(colour) + 151 * GreenOf(colour) + 28 * BlueOf(colour)) >> 8;
  return g * 0x010101u;
}
