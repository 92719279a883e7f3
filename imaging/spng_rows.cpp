#include "spng_rows.h"

#include <spng.h>

#include <bit>
#include <memory>
#include <new>
#include <vector>

#include "image_header.h"

namespace {

struct ContextFree {
  void operator()(spng_ctx* context) const { spng_ctx_free(context); }
};
using Context = std::unique_ptr<spng_ctx, ContextFree>;

// Memory libspng may keep for ancillary chunks (text, profiles, unpacked compressed text):
// a file with more fails here and is left to the fallback decoder.
constexpr std::size_t kChunkCacheLimit = std::size_t{8} << 20;

// libspng writes R, G, B, A bytes; the image wants 0x00RRGGBB in host order. Done in place
// on the row libspng has just written, so no row is copied: on a little-endian machine the
// bytes read as 0xAABBGGRR, and red and blue trade places.
static_assert(std::endian::native == std::endian::little, "pixels are little-endian");
void RgbaBytesToPixels(Pixel* row, std::size_t width) {
  for (std::size_t x = 0; x < width; ++x) {
    const Pixel v = row[x];
    row[x] = (v & 0xFF) << 16 | (v & 0xFF00) | (v >> 16 & 0xFF);
  }
}

bool Refused(std::string& reason, int error) {
  reason = std::string("corrupt or unsupported PNG file (") + spng_strerror(error) + ")";
  return false;
}

}  // namespace

bool DecodePngRows(const std::uint8_t* data, std::size_t size, int rowCount, const std::function<Pixel*(int)>& rowAt,
                   std::string& reason) {
  Context context(spng_ctx_new(0));
  if (!context) return reason = "out of memory for the PNG decoder", false;
  spng_ctx* png = context.get();
  // stb_image checks neither chunk CRCs nor the Adler-32 sum: reading the same files alike.
  spng_set_crc_action(png, SPNG_CRC_USE, SPNG_CRC_USE);
  spng_set_image_limits(png, kMaxImageSide, kMaxImageSide);
  spng_set_chunk_limits(png, size, kChunkCacheLimit);
  // libspng only reads the buffer; its signature takes it as writable.
  if (int error = spng_set_png_buffer(png, const_cast<std::uint8_t*>(data), size)) return Refused(reason, error);
  spng_ihdr header{};
  if (int error = spng_get_ihdr(png, &header)) return Refused(reason, error);
  const int height = static_cast<int>(header.height);
  const int rows = rowCount < 0 ? 0 : rowCount < height ? rowCount : height;
  const std::size_t width = header.width, rowBytes = width * sizeof(Pixel);
  if (int error = spng_decode_image(png, nullptr, 0, SPNG_FMT_RGBA8, SPNG_DECODE_PROGRESSIVE))
    return Refused(reason, error);

  if (!header.interlace_method) {
    for (int y = 0; y < rows; ++y) {
      Pixel* row = rowAt(y);
      const int status = spng_decode_row(png, row, rowBytes);
      if (status != 0 && !(status == SPNG_EOI && y == height - 1)) return Refused(reason, status);
      RgbaBytesToPixels(row, width);
    }
    return true;
  }

  // Interlaced: the passes fill each row bit by bit, so every pass runs (rows beyond those
  // asked for go to a spare row) and the rows are converted at the end.
  std::vector<Pixel> spare;
  try {
    if (rows < height) spare.resize(width);
  } catch (const std::bad_alloc&) {
    return reason = "out of memory for the PNG decoder", false;
  }
  for (;;) {
    spng_row_info info{};
    int status = spng_get_row_info(png, &info);
    if (status == 0) {
      const int y = static_cast<int>(info.row_num);
      status = spng_decode_row(png, y < rows ? rowAt(y) : spare.data(), rowBytes);
    }
    if (status == SPNG_EOI) break;
    if (status != 0) return Refused(reason, status);
  }
  for (int y = 0; y < rows; ++y) RgbaBytesToPixels(rowAt(y), width);
  return true;
}
