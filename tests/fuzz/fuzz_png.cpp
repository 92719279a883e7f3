// libspng against stb_image on whatever passes the image checks: neither may fault, and
// where both decode a file they must give the same pixels. Excepted: palette indices beyond
// a palette, which stb_image leaves undefined, and files faulty after the pixels (a second
// PLTE after the image data, a malformed chunk): the decoder stops at the last row it needs
// and never reads that far, while stb_image reads on and takes the last palette it met.
#include <spng.h>
#include <stb/stb_image.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "image_decoder.h"
#include "spng_rows.h"

namespace {

struct ContextFree {
  void operator()(spng_ctx* context) const { spng_ctx_free(context); }
};
using Context = std::unique_ptr<spng_ctx, ContextFree>;

// A libspng context on the bytes that ignores CRCs as the decoder does, with the header
// read; null when either fails.
Context OpenPng(const std::uint8_t* data, std::size_t size, spng_ihdr& header) {
  Context png(spng_ctx_new(0));
  if (!png) return nullptr;
  spng_set_crc_action(png.get(), SPNG_CRC_USE, SPNG_CRC_USE);
  spng_set_png_buffer(png.get(), const_cast<std::uint8_t*>(data), size);
  return spng_get_ihdr(png.get(), &header) == 0 ? std::move(png) : nullptr;
}

// True when a palette image uses an index beyond its palette (libspng's own reading).
bool IndexBeyondPalette(const std::uint8_t* data, std::size_t size) {
  spng_ihdr header{};
  const Context png = OpenPng(data, size, header);
  if (!png) return true;  // not read: the pixels are not compared
  if (header.color_type != SPNG_COLOR_TYPE_INDEXED) return false;
  spng_plte palette{};
  std::size_t length = 0;
  if (spng_get_plte(png.get(), &palette) != 0 || spng_decoded_image_size(png.get(), SPNG_FMT_PNG, &length) != 0)
    return true;
  const int depth = header.bit_depth;
  std::vector<std::uint8_t> packed(length);
  if (spng_decode_image(png.get(), packed.data(), length, SPNG_FMT_PNG, 0) != 0) return true;
  const std::size_t rowBytes = length / header.height;
  for (std::uint32_t y = 0; y < header.height; ++y)
    for (std::uint32_t x = 0; x < header.width; ++x) {
      const std::size_t bit = static_cast<std::size_t>(x) * depth;
      const unsigned index = (packed[y * rowBytes + bit / 8] >> (8 - depth - bit % 8)) & ((1u << depth) - 1);
      if (index >= palette.n_entries) return true;
    }
  return false;
}

// True when the bytes "PLTE" occur more than once: libspng keeps the palette that precedes
// the image data, stb_image the last one it meets, wherever it is.
bool PaletteNamedTwice(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::size_t first = bytes.find("PLTE");
  return first != std::string_view::npos && bytes.find("PLTE", first + 1) != std::string_view::npos;
}

// True when libspng reads the whole file, every chunk after the image data included.
bool WholeFileReads(const std::uint8_t* data, std::size_t size) {
  spng_ihdr header{};
  const Context png = OpenPng(data, size, header);
  if (!png || spng_decode_image(png.get(), nullptr, 0, SPNG_FMT_RGBA8, SPNG_DECODE_PROGRESSIVE) != 0) return false;
  std::vector<std::uint8_t> row(std::size_t{header.width} * 4);  // every row in turn, interlaced or not
  int status;
  do status = spng_decode_row(png.get(), row.data(), row.size());
  while (status == 0);
  return status == SPNG_EOI && spng_decode_chunks(png.get()) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ImageHeader header;
  std::string reason;
  if (!CheckImageBytes(data, size, header, reason) || header.format != ImageFormat::Png) return 0;
  const std::size_t width = static_cast<std::size_t>(header.width);
  std::vector<Pixel> ours(width * header.height);
  const auto rowAt = [&](int y) { return ours.data() + static_cast<std::size_t>(y) * width; };
  const bool decoded = DecodePngRows(data, size, header.height, rowAt, reason);
  int w = 0, h = 0, n = 0;
  unsigned char* rgba = stbi_load_from_memory(data, static_cast<int>(size), &w, &h, &n, 4);
  if (decoded && rgba && WholeFileReads(data, size) && !PaletteNamedTwice(data, size) &&
      !IndexBeyondPalette(data, size)) {
    if (w != header.width || h != header.height) std::abort();
    for (std::size_t i = 0; i < ours.size(); ++i)
      if (ours[i] != MakePixel(rgba[4 * i], rgba[4 * i + 1], rgba[4 * i + 2])) std::abort();
  }
  stbi_image_free(rgba);
  return 0;
}
