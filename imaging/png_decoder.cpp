#include "png_decoder.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

std::uint32_t Be32(const std::uint8_t* at) {
  return std::uint32_t{at[0]} << 24 | std::uint32_t{at[1]} << 16 | std::uint32_t{at[2]} << 8 | at[3];
}
constexpr std::uint32_t Type(char a, char b, char c, char d) {
  return std::uint32_t(std::uint8_t(a)) << 24 | std::uint32_t(std::uint8_t(b)) << 16 | std::uint32_t(std::uint8_t(c)) << 8 |
         std::uint8_t(d);
}

struct Layout {
  std::uint32_t width = 0, height = 0;
  int depth = 0, colourType = 0, channels = 0;
  std::uint8_t palette[256][3] = {};
  std::size_t paletteLength = 0;
  std::vector<std::pair<std::size_t, std::size_t>> idat;  // offset and length of each IDAT's data
};

// Walks the chunks as stb_image does and accepts only layouts it decodes the ordinary way:
// IHDR first, a valid PLTE where needed, tRNS in its place, IDATs, IEND; unknown chunks only
// when they are ancillary.
bool ReadLayout(const std::uint8_t* data, std::size_t size, Layout& layout) {
  if (size < 8 || std::memcmp(data, kSignature, 8) != 0) return false;
  std::size_t at = 8;
  bool first = true, ended = false;
  std::size_t paletteLength = 0;
  while (!ended) {
    if (size - at < 12) return false;
    const std::uint32_t length = Be32(data + at), type = Be32(data + at + 4);
    if (length > size - at - 12) return false;
    const std::uint8_t* body = data + at + 8;
    if (first != (type == Type('I', 'H', 'D', 'R'))) return false;
    switch (type) {
      case Type('I', 'H', 'D', 'R'): {
        if (length != 13) return false;
        layout.width = Be32(body);
        layout.height = Be32(body + 4);
        layout.depth = body[8];
        layout.colourType = body[9];
        const int depth = layout.depth, colour = layout.colourType;
        if (depth != 1 && depth != 2 && depth != 4 && depth != 8 && depth != 16) return false;
        static const int kChannels[7] = {1, 0, 3, 1, 2, 0, 4};
        if (colour > 6 || kChannels[colour] == 0) return false;
        if (colour == 3 && depth == 16) return false;
        if ((colour == 2 || colour == 4 || colour == 6) && depth < 8) return false;
        if (body[10] != 0 || body[11] != 0 || body[12] != 0) return false;  // methods; interlace
        if (layout.width == 0 || layout.height == 0 || layout.width > (1u << 24) || layout.height > (1u << 24)) return false;
        layout.channels = kChannels[colour];
        first = false;
        break;
      }
      case Type('P', 'L', 'T', 'E'):
        if (length > 768 || length % 3 != 0) return false;
        paletteLength = length / 3;
        layout.paletteLength = paletteLength;
        std::memcpy(layout.palette, body, length);
        break;
      case Type('t', 'R', 'N', 'S'):
        if (!layout.idat.empty()) return false;
        if (layout.colourType == 3) {
          if (paletteLength == 0 || length > paletteLength) return false;
        } else if (layout.colourType == 4 || layout.colourType == 6 ||
                   length != static_cast<std::uint32_t>(layout.channels) * 2) {
          return false;
        }
        break;
      case Type('I', 'D', 'A', 'T'):
        if (layout.colourType == 3 && paletteLength == 0) return false;
        layout.idat.emplace_back(at + 8, length);
        break;
      case Type('I', 'E', 'N', 'D'):
        if (layout.idat.empty()) return false;
        ended = true;
        break;
      case Type('C', 'g', 'B', 'I'):
        return false;  // a variant stb_image converts on its own terms
      default:
        if (!(type & (1u << 29))) return false;  // an unknown critical chunk
        break;
    }
    at += 12 + length;
  }
  return true;
}

// The Paeth predictor in a form with short, branch-free dependencies, equivalent to the
// textbook one (nearest of a, b, c to a + b - c, ties to a, then b).
std::uint8_t PaethPredictor(int a, int b, int c) {
  const int threshold = 3 * c - (a + b);
  const int low = a < b ? a : b, high = a < b ? b : a;
  const int t0 = high <= threshold ? low : c;
  return static_cast<std::uint8_t>(threshold <= low ? high : t0);
}

// The filters that look left, pixel by pixel with the pixel's bytes side by side: the bytes
// of one pixel do not depend on each other, so a known pixel size lets them run together.
template <std::size_t kStep>
void UnfilterLeft(int filter, std::uint8_t* row, const std::uint8_t* prior, std::size_t length) {
  for (std::size_t k = 0; k < kStep; ++k)
    row[k] = static_cast<std::uint8_t>(row[k] + (filter == 1 ? 0 : filter == 3 ? prior[k] >> 1 : prior[k]));
  for (std::size_t i = kStep; i < length; i += kStep)
    for (std::size_t k = 0; k < kStep; ++k) {
      const int a = row[i + k - kStep], b = prior[i + k];
      const std::uint8_t predicted = filter == 1   ? static_cast<std::uint8_t>(a)
                                     : filter == 3 ? static_cast<std::uint8_t>((a + b) >> 1)
                                                   : PaethPredictor(a, b, prior[i + k - kStep]);
      row[i + k] = static_cast<std::uint8_t>(row[i + k] + predicted);
    }
}


// Undoes one row's filter in place; `prior` is the row above (zeros for the first row).
// `length` is a multiple of `step` for every layout but bit depths below 8, whose step is 1.
bool Unfilter(int filter, std::uint8_t* row, const std::uint8_t* prior, std::size_t length, std::size_t step) {
  switch (filter) {
    case 0: return true;
    case 2:
      for (std::size_t i = 0; i < length; ++i) row[i] = static_cast<std::uint8_t>(row[i] + prior[i]);
      return true;
    case 1:
    case 3:
    case 4:
      switch (step) {
        case 1: UnfilterLeft<1>(filter, row, prior, length); return true;
        case 2: UnfilterLeft<2>(filter, row, prior, length); return true;
        case 3: UnfilterLeft<3>(filter, row, prior, length); return true;
        case 4: UnfilterLeft<4>(filter, row, prior, length); return true;
        case 6: UnfilterLeft<6>(filter, row, prior, length); return true;
        case 8: UnfilterLeft<8>(filter, row, prior, length); return true;
      }
      return false;
    default: return false;
  }
}

// One unfiltered row to pixels, as stb_image converts it. False for a palette index beyond
// the palette, for which stb_image has no defined colour: such files are left to it.
bool ConvertRow(const Layout& layout, const std::uint8_t* in, Pixel* out) {
  const std::uint32_t width = layout.width;
  const int depth = layout.depth;
  const std::size_t bytes = depth == 16 ? 2 : 1;  // the high byte of a 16-bit sample comes first
  switch (layout.colourType) {
    case 0:
    case 3:
      if (depth >= 8) {
        for (std::uint32_t x = 0; x < width; ++x) {
          const std::uint8_t v = in[x * bytes];
          if (layout.colourType == 3 && v >= layout.paletteLength) return false;
          out[x] = layout.colourType == 3 ? MakePixel(layout.palette[v][0], layout.palette[v][1], layout.palette[v][2])
                                          : MakePixel(v, v, v);
        }
      } else {
        static const int kScale[5] = {0, 0xFF, 0x55, 0, 0x11};
        const int perByte = 8 / depth, mask = (1 << depth) - 1;
        for (std::uint32_t x = 0; x < width; ++x) {
          const int shift = 8 - depth * (1 + static_cast<int>(x % perByte));
          const int v = (in[x / perByte] >> shift) & mask;
          if (layout.colourType == 3) {
            if (static_cast<std::size_t>(v) >= layout.paletteLength) return false;
            out[x] = MakePixel(layout.palette[v][0], layout.palette[v][1], layout.palette[v][2]);
          } else {
            const unsigned grey = static_cast<unsigned>(v * kScale[depth]);
            out[x] = MakePixel(grey, grey, grey);
          }
        }
      }
      return true;
    case 4:
      for (std::uint32_t x = 0; x < width; ++x) {
        const std::uint8_t v = in[x * 2 * bytes];
        out[x] = MakePixel(v, v, v);
      }
      return true;
    case 2:
    case 6: {
      const std::size_t step = layout.channels * bytes;
      if (step == 3) {
        for (std::uint32_t x = 0; x < width; ++x, in += 3) out[x] = MakePixel(in[0], in[1], in[2]);
      } else {
        for (std::uint32_t x = 0; x < width; ++x, in += step) out[x] = MakePixel(in[0], in[bytes], in[2 * bytes]);
      }
      return true;
    }
  }
  return true;
}

}  // namespace

bool ReadPngSize(const std::uint8_t* data, std::size_t size, int& width, int& height) {
  if (size < 24 || std::memcmp(data, kSignature, 8) != 0 || Be32(data + 12) != Type('I', 'H', 'D', 'R')) return false;
  const std::uint32_t w = Be32(data + 16), h = Be32(data + 20);
  if (w == 0 || h == 0 || w > 0x7FFFFFFF || h > 0x7FFFFFFF) return false;
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  return true;
}

PngDecodeResult DecodePngRows(const std::uint8_t* data, std::size_t size, int rowCount,
                              const std::function<Pixel*(int)>& rowAt) {
  auto layout = std::make_unique<Layout>();
  if (!data || !ReadLayout(data, size, *layout)) return PngDecodeResult::kNotForUs;
  const std::uint32_t rows = rowCount < 0 ? 0 : static_cast<std::uint32_t>(rowCount) < layout->height
                                                    ? static_cast<std::uint32_t>(rowCount)
                                                    : layout->height;
  const std::size_t bitsPerPixel = static_cast<std::size_t>(layout->channels) * layout->depth;
  const std::size_t rowBytes = (layout->width * bitsPerPixel + 7) / 8;
  const std::size_t step = (bitsPerPixel + 7) / 8;  // bytes between a byte and its left neighbour
  // A band of rows with their filter bytes, inflated in one call, after the last row of the
  // band before (zeros above the first row): large enough that zlib copies its matches in
  // long runs and keeps its window by whole blocks, small enough to stay in the cache.
  const std::size_t stride = rowBytes + 1;
  const std::size_t bandRows = std::max<std::size_t>(1, std::min<std::size_t>(rows ? rows : 1, (256 * 1024) / stride));
  std::vector<std::uint8_t> band;
  try {
    band.assign((bandRows + 1) * stride, 0);
  } catch (const std::bad_alloc&) {
    return PngDecodeResult::kNotForUs;
  }

  // The zlib header is checked here as stb_image checks it (no preset dictionary, method 8);
  // the deflate data after it is inflated raw, so the Adler-32 sum at the end is not
  // checked, as stb_image does not check it either.
  std::size_t chunk = 0, skip = 2;
  std::uint8_t header[2];
  for (std::size_t got = 0; got < 2;) {
    if (chunk == layout->idat.size()) return PngDecodeResult::kNotForUs;
    const auto& [offset, length] = layout->idat[chunk];
    for (std::size_t i = 0; i < length && got < 2; ++i) header[got++] = data[offset + i];
    if (got < 2) ++chunk;
  }
  if ((header[0] * 256 + header[1]) % 31 != 0 || (header[1] & 32) || (header[0] & 15) != 8)
    return PngDecodeResult::kNotForUs;
  chunk = 0;
  z_stream stream{};
  if (inflateInit2(&stream, -15) != Z_OK) return PngDecodeResult::kNotForUs;
  // Feeds the next IDAT's data (past the header bytes); false when there is none.
  const auto feed = [&] {
    while (chunk < layout->idat.size()) {
      const auto& [offset, length] = layout->idat[chunk++];
      const std::size_t skipped = skip < length ? skip : length;
      skip -= skipped;
      if (length == skipped) continue;
      stream.next_in = const_cast<Bytef*>(data + offset + skipped);
      stream.avail_in = static_cast<uInt>(length - skipped);
      return true;
    }
    return false;
  };
  bool wroteRow = false, ended = false;
  PngDecodeResult result = PngDecodeResult::kDecoded;
  for (std::uint32_t y = 0; y < rows && result == PngDecodeResult::kDecoded;) {
    const std::size_t count = std::min<std::size_t>(bandRows, rows - y);
    stream.next_out = band.data() + stride;
    stream.avail_out = static_cast<uInt>(count * stride);
    while (stream.avail_out > 0) {
      if (stream.avail_in == 0 && !feed()) break;
      const int status = inflate(&stream, Z_NO_FLUSH);
      if (status == Z_STREAM_END) {
        ended = true;
        break;
      }
      if (status != Z_OK && status != Z_BUF_ERROR) break;
    }
    const std::size_t complete = count - (stream.avail_out + stride - 1) / stride;
    for (std::size_t i = 1; i <= count; ++i, ++y) {
      std::uint8_t* current = band.data() + i * stride;
      if (i > complete || !Unfilter(current[0], current + 1, current + 1 - stride, rowBytes, step)) {
        // Short or damaged data: stb_image gets the last word on a file we have not touched.
        result = wroteRow ? PngDecodeResult::kCorrupt : PngDecodeResult::kNotForUs;
        break;
      }
      if (!ConvertRow(*layout, current + 1, rowAt(static_cast<int>(y)))) {
        result = PngDecodeResult::kCorrupt;
        break;
      }
      wroteRow = true;
    }
    std::memcpy(band.data(), band.data() + count * stride, stride);
  }
  // A whole image: the stream must also end cleanly after the last row, as stb_image reads
  // it to its end. Otherwise stb_image decides about the file.
  if (result == PngDecodeResult::kDecoded && rows == layout->height) {
    for (int status = ended ? Z_STREAM_END : Z_OK; status != Z_STREAM_END;) {
      if (stream.avail_in == 0 && !feed()) {
        result = PngDecodeResult::kCorrupt;
        break;
      }
      stream.next_out = band.data();
      stream.avail_out = static_cast<uInt>(band.size());
      status = inflate(&stream, Z_NO_FLUSH);
      if (status != Z_OK && status != Z_STREAM_END && status != Z_BUF_ERROR) {
        result = PngDecodeResult::kCorrupt;
        break;
      }
    }
  }
  // stb_image reads a stream only when its 4-byte checksum (or anything as long) follows the
  // deflate data: without it, its last codes read past the end. Such files are left to it.
  if (result == PngDecodeResult::kDecoded && rows == layout->height) {
    std::size_t trailing = stream.avail_in;
    for (std::size_t i = chunk; i < layout->idat.size(); ++i) trailing += layout->idat[i].second;
    if (trailing < 4) result = PngDecodeResult::kCorrupt;
  }
  inflateEnd(&stream);
  return result;
}
