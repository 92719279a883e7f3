// libspng's rows against stb_image: the same pixels on every colour type, bit depth, filter
// and interlacing, on the template package's files, and on damaged files (where neither
// may crash, and what both decode must come out alike).
#include "spng_rows.h"

#include <gtest/gtest.h>
#include <stb/stb_image.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "image_decoder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put32(Bytes& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}
void Chunk(Bytes& out, const char* type, const Bytes& body) {
  Put32(out, static_cast<std::uint32_t>(body.size()));
  Bytes typed(type, type + 4);
  typed.insert(typed.end(), body.begin(), body.end());
  out.insert(out.end(), typed.begin(), typed.end());
  Put32(out, static_cast<std::uint32_t>(crc32(0, typed.data(), static_cast<uInt>(typed.size()))));
}

// Packed, filtered scanlines of a width x height picture of `samples` (channels per pixel,
// each below 2^depth), row y filtered by filter (first + y) % 5.
void AppendScanlines(Bytes& raw, const std::vector<std::uint16_t>& samples, std::size_t pictureWidth,
                     const std::vector<std::pair<std::size_t, std::size_t>>& pixels, std::size_t width, int depth,
                     int channels, int first) {
  const std::size_t bits = static_cast<std::size_t>(channels) * depth, rowBytes = (width * bits + 7) / 8;
  const std::size_t step = (bits + 7) / 8;
  Bytes prior(rowBytes, 0);
  for (std::size_t y = 0; y * width < pixels.size(); ++y) {
    Bytes row(rowBytes, 0);
    for (std::size_t x = 0; x < width; ++x) {
      const auto [px, py] = pixels[y * width + x];
      for (int c = 0; c < channels; ++c) {
        const std::uint16_t v = samples[(py * pictureWidth + px) * channels + c];
        const std::size_t bit = (x * channels + c) * depth;
        if (depth == 16) {
          row[bit / 8] = static_cast<std::uint8_t>(v >> 8);
          row[bit / 8 + 1] = static_cast<std::uint8_t>(v);
        } else {
          row[bit / 8] |= static_cast<std::uint8_t>(v << (8 - depth - bit % 8));
        }
      }
    }
    const int filter = static_cast<int>((first + y) % 5);
    raw.push_back(static_cast<std::uint8_t>(filter));
    for (std::size_t i = 0; i < rowBytes; ++i) {
      const int a = i >= step ? row[i - step] : 0, b = prior[i], c = i >= step ? prior[i - step] : 0;
      const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
      const int predictor[5] = {0, a, b, (a + b) / 2, pa <= pb && pa <= pc ? a : pb <= pc ? b : c};
      raw.push_back(static_cast<std::uint8_t>(row[i] - predictor[filter]));
    }
    prior = row;
  }
}

// A PNG of random samples, interlaced or not, its data split over two IDATs. A palette
// holds `paletteSize` entries (all 2^depth by default).
Bytes MakePng(std::uint32_t width, std::uint32_t height, int depth, int colour, bool interlaced, std::mt19937& random,
              int paletteSize = 0) {
  static const int kChannels[7] = {1, 0, 3, 1, 2, 0, 4};
  const int channels = kChannels[colour];
  std::vector<std::uint16_t> samples(static_cast<std::size_t>(width) * height * channels);
  for (auto& v : samples)
    v = static_cast<std::uint16_t>(random() & (random() % 3 ? 0x3F3F : 0xFFFF) & ((1u << depth) - 1));
  Bytes raw;
  if (!interlaced) {
    std::vector<std::pair<std::size_t, std::size_t>> pixels;
    for (std::size_t y = 0; y < height; ++y)
      for (std::size_t x = 0; x < width; ++x) pixels.emplace_back(x, y);
    AppendScanlines(raw, samples, width, pixels, width, depth, channels, 0);
  } else {
    static const int kStart[7][2] = {{0, 0}, {4, 0}, {0, 4}, {2, 0}, {0, 2}, {1, 0}, {0, 1}};
    static const int kStep[7][2] = {{8, 8}, {8, 8}, {4, 8}, {4, 4}, {2, 4}, {2, 2}, {1, 2}};
    for (int pass = 0; pass < 7; ++pass) {
      std::vector<std::pair<std::size_t, std::size_t>> pixels;
      std::size_t passWidth = 0;
      for (std::size_t x = kStart[pass][0]; x < width; x += kStep[pass][0]) ++passWidth;
      for (std::size_t y = kStart[pass][1]; y < height; y += kStep[pass][1])
        for (std::size_t x = kStart[pass][0]; x < width; x += kStep[pass][0]) pixels.emplace_back(x, y);
      if (passWidth) AppendScanlines(raw, samples, width, pixels, passWidth, depth, channels, pass);
    }
  }
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  Bytes packed(packedSize);
  compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 6);
  packed.resize(packedSize);
  Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes header;
  Put32(header, width);
  Put32(header, height);
  header.insert(header.end(), {static_cast<std::uint8_t>(depth), static_cast<std::uint8_t>(colour), 0, 0,
                               static_cast<std::uint8_t>(interlaced)});
  Chunk(png, "IHDR", header);
  Chunk(png, "tEXt", Bytes{'a', 0, 'b'});
  if (colour == 3) {
    Bytes palette(3u * (paletteSize ? paletteSize : 1 << depth));
    for (auto& b : palette) b = static_cast<std::uint8_t>(random());
    Chunk(png, "PLTE", palette);
    Chunk(png, "tRNS", Bytes{0, 128});
  }
  const std::size_t half = packed.size() / 2;
  Chunk(png, "IDAT", Bytes(packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(half)));
  Chunk(png, "IDAT", Bytes(packed.begin() + static_cast<std::ptrdiff_t>(half), packed.end()));
  Chunk(png, "IEND", {});
  return png;
}

// stb_image's pixels as 0x00RRGGBB; empty when it refuses the file.
std::vector<Pixel> StbPixels(const Bytes& png) {
  int w = 0, h = 0, n = 0;
  unsigned char* rgba = stbi_load_from_memory(png.data(), static_cast<int>(png.size()), &w, &h, &n, 4);
  if (!rgba) return {};
  std::vector<Pixel> pixels(static_cast<std::size_t>(w) * h);
  for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = MakePixel(rgba[4 * i], rgba[4 * i + 1], rgba[4 * i + 2]);
  stbi_image_free(rgba);
  return pixels;
}

// libspng's pixels, rows 0..rowCount-1, for files that pass the checks; empty unless decoded.
std::vector<Pixel> SpngPixels(const Bytes& png, int rowCount = 1 << 30) {
  ImageHeader header;
  std::string reason;
  if (!CheckImageBytes(png.data(), png.size(), header, reason) || header.format != ImageFormat::Png) return {};
  const int width = header.width;
  std::vector<Pixel> pixels(static_cast<std::size_t>(width) * std::min(header.height, rowCount), 0xDEADBEEF);
  const auto rowAt = [&](int y) { return pixels.data() + static_cast<std::size_t>(y) * width; };
  if (!DecodePngRows(png.data(), png.size(), rowCount, rowAt, reason)) return {};
  return pixels;
}

TEST(SpngRows, EveryLayoutGivesStbsPixels) {
  std::mt19937 random(7);
  const int kinds[][2] = {{1, 0}, {2, 0}, {4, 0}, {8, 0}, {16, 0}, {8, 2}, {16, 2}, {1, 3},
                          {2, 3}, {4, 3}, {8, 3}, {8, 4}, {16, 4}, {8, 6}, {16, 6}};
  for (const auto& kind : kinds)
    for (bool interlaced : {false, true})
      for (std::uint32_t width : {1u, 7u, 33u}) {
        const Bytes png = MakePng(width, 11, kind[0], kind[1], interlaced, random);
        const std::vector<Pixel> spng = SpngPixels(png), stb = StbPixels(png);
        ASSERT_FALSE(stb.empty());
        EXPECT_EQ(spng, stb) << "depth " << kind[0] << ", colour type " << kind[1] << ", width " << width
                             << (interlaced ? ", interlaced" : "");
        // The first rows alone are the same rows.
        const std::vector<Pixel> top = SpngPixels(png, 4);
        EXPECT_TRUE(std::equal(top.begin(), top.end(), stb.begin())) << kind[0] << "/" << kind[1];
        EXPECT_EQ(top.size(), width * 4u);
      }
}

// stb_image leaves a pixel whose palette index lies beyond the palette undefined; here it is
// black.
TEST(SpngRows, PaletteIndicesBeyondThePaletteAreBlack) {
  const std::vector<std::uint16_t> indices = {0, 1, 2, 3, 4, 200, 1, 0};
  Bytes raw;
  std::vector<std::pair<std::size_t, std::size_t>> pixels;
  for (std::size_t x = 0; x < indices.size(); ++x) pixels.emplace_back(x, 0);
  AppendScanlines(raw, indices, indices.size(), pixels, indices.size(), 8, 1, 0);
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  Bytes packed(packedSize);
  compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 6);
  packed.resize(packedSize);
  Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}, header;
  Put32(header, static_cast<std::uint32_t>(indices.size()));
  Put32(header, 1);
  header.insert(header.end(), {8, 3, 0, 0, 0});
  Chunk(png, "IHDR", header);
  Chunk(png, "PLTE", Bytes{10, 20, 30, 40, 50, 60, 70, 80, 90, 255, 255, 255});
  Chunk(png, "IDAT", packed);
  Chunk(png, "IEND", {});
  const Pixel a = 0x0A141E, b = 0x28323C, c = 0x46505A, white = 0xFFFFFF;
  EXPECT_EQ(SpngPixels(png), (std::vector<Pixel>{a, b, c, white, 0, 0, b, a}));
}

TEST(SpngRows, TheTemplatePackageGivesStbsPixels) {
  int files = 0;
  for (const auto& entry :
       std::filesystem::directory_iterator(std::string(VANTOREL_SOURCE_DIR) + "/resources/package/Templates")) {
    if (entry.path().extension() != ".png") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    const Bytes png((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::vector<Pixel> spng = SpngPixels(png);
    EXPECT_FALSE(spng.empty()) << entry.path();
    EXPECT_EQ(spng, StbPixels(png)) << entry.path();
    ++files;
  }
  EXPECT_GT(files, 20);
}

// Damaged files: no crash (the sanitizer build watches), and where both decoders take a
// file they give the same pixels. Palettes cut short are left out: stb_image has no defined
// colour for the indices beyond them.
TEST(SpngRows, DamagedFilesDecodeAsStbDoesOrNotAtAll) {
  std::mt19937 random(11);
  const Bytes kinds[] = {MakePng(9, 6, 8, 2, false, random), MakePng(5, 4, 2, 3, false, random),
                         MakePng(3, 5, 16, 6, false, random), MakePng(10, 9, 8, 6, true, random)};
  int both = 0, refused = 0;
  for (int round = 0; round < 4000; ++round) {
    Bytes png = kinds[round % 4];
    const int changes = 1 + static_cast<int>(random() % 4);
    for (int i = 0; i < changes; ++i) {
      const std::size_t at = random() % png.size();
      switch (random() % 3) {
        case 0: png[at] = static_cast<std::uint8_t>(random()); break;
        case 1: png[at] ^= static_cast<std::uint8_t>(1u << (random() % 8)); break;
        case 2: png.resize(at); break;
      }
      if (png.empty()) break;
    }
    const std::vector<Pixel> spng = SpngPixels(png), stb = StbPixels(png);
    if (spng.empty()) ++refused;
    if (spng.empty() || stb.empty()) continue;
    const char kPlte[] = "PLTE";
    const auto plte = std::search(png.begin(), png.end(), kPlte, kPlte + 4);
    if (plte != png.end() && (plte - png.begin() < 4 || plte[-1] != 12 || plte[-2] || plte[-3] || plte[-4]))
      continue;  // not the 4 entries of the 2-bit palette
    ++both;
    ASSERT_EQ(spng, stb) << "round " << round;
  }
  EXPECT_GT(both, 100);
  EXPECT_GT(refused, 100);
}

}  // namespace
