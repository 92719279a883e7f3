// The fast PNG decoder against stb_image on whatever passes the image checks: it must not
// fault, and whatever it decodes, stb_image must decode to the same pixels.
#include <stb/stb_image.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "image_decoder.h"
#include "png_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ImageHeader header;
  std::string reason;
  if (!CheckImageBytes(data, size, header, reason) || header.format != ImageFormat::Png) return 0;
  const std::size_t width = static_cast<std::size_t>(header.width);
  std::vector<Pixel> ours(width * header.height);
  const auto rowAt = [&](int y) { return ours.data() + static_cast<std::size_t>(y) * width; };
  if (DecodePngRows(data, size, header.height, rowAt) != PngDecodeResult::kDecoded) return 0;
  int w = 0, h = 0, n = 0;
  unsigned char* rgba = stbi_load_from_memory(data, static_cast<int>(size), &w, &h, &n, 4);
  if (!rgba || w != header.width || h != header.height) std::abort();
  for (std::size_t i = 0; i < ours.size(); ++i)
    if (ours[i] != MakePixel(rgba[4 * i], rgba[4 * i + 1], rgba[4 * i + 2])) std::abort();
  stbi_image_free(rgba);
  return 0;
}
