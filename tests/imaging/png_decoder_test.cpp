// The fast PNG decoder against stb_image: the same pixels on every colour type, bit depth
// and filter, on the template package's files, and on damaged files (where it must not
// crash, and may only decode what stb_image decodes alike).
#include "png_decoder.h"

#include <gtest/gtest.h>
#include <stb/stb_image.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

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

// A PNG of random samples with row y filtered by filter y % 5, its data split over IDATs.
Bytes MakePng(std::uint32_t width, std::uint32_t height, int depth, int colour, std::mt19937& random) {
  static const int kChannels[7] = {1, 0, 3, 1, 2, 0, 4};
  const std::size_t bits = static_cast<std::size_t>(kChannels[colour]) * depth, rowBytes = (width * bits + 7) / 8;
  const std::size_t step = (bits + 7) / 8;
  Bytes raw, prior(rowBytes, 0);
  for (std::uint32_t y = 0; y < height; ++y) {
    Bytes row(rowBytes);
    for (auto& b : row) b = static_cast<std::uint8_t>(random() & (random() % 3 ? 0x3F : 0xFF));
    const int filter = static_cast<int>(y % 5);
    raw.push_back(static_cast<std::uint8_t>(filter));
    for (std::size_t i = 0; i < rowBytes; ++i) {
      const int a = i >= step ? row[i - step] : 0, b = prior[i], c = i >= step ? prior[i - step] : 0;
      const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
      const int predictor[5] = {0, a, b, (a + b) / 2, pa <= pb && pa <= pc ? a : pb <= pc ? b : c};
      raw.push_back(static_cast<std::uint8_t>(row[i] - predictor[filter]));
    }
    prior = row;
  }
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  Bytes packed(packedSize);
  compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 6);
  packed.resize(packedSize);
  Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes header;
  Put32(header, width);
  Put32(header, height);
  header.insert(header.end(), {static_cast<std::uint8_t>(depth), static_cast<std::uint8_t>(colour), 0, 0, 0});
  Chunk(png, "IHDR", header);
  Chunk(png, "tEXt", Bytes{'a', 0, 'b'});
  if (colour == 3) {
    Bytes palette(3u << depth);
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

// Our pixels, rows 0..rowCount-1; empty unless decoded.
std::vector<Pixel> OurPixels(const Bytes& png, int rowCount = 1 << 30) {
  int w = 0, h = 0;
  if (!ReadPngSize(png.data(), png.size(), w, h) || static_cast<long long>(w) * h > (1 << 22)) return {};
  std::vector<Pixel> pixels(static_cast<std::size_t>(w) * std::min(h, rowCount), 0xDEADBEEF);
  const auto rowAt = [&](int y) { return pixels.data() + static_cast<std::size_t>(y) * w; };
  if (DecodePngRows(png.data(), png.size(), rowCount, rowAt) != PngDecodeResult::kDecoded) return {};
  return pixels;
}

TEST(PngDecoder, EveryColourTypeAndDepthGivesStbsPixels) {
  std::mt19937 random(7);
  const int kinds[][2] = {{1, 0}, {2, 0}, {4, 0}, {8, 0}, {16, 0}, {8, 2}, {16, 2}, {1, 3}, {2, 3},
                          {4, 3}, {8, 3}, {8, 4}, {16, 4}, {8, 6}, {16, 6}};
  for (const auto& kind : kinds)
    for (std::uint32_t width : {1u, 7u, 33u}) {
      const Bytes png = MakePng(width, 11, kind[0], kind[1], random);
      const std::vector<Pixel> ours = OurPixels(png), stb = StbPixels(png);
      ASSERT_FALSE(stb.empty());
      EXPECT_EQ(ours, stb) << "depth " << kind[0] << ", colour type " << kind[1] << ", width " << width;
      // The first rows alone are the same rows.
      const std::vector<Pixel> top = OurPixels(png, 4);
      EXPECT_TRUE(std::equal(top.begin(), top.end(), stb.begin())) << kind[0] << "/" << kind[1];
      EXPECT_EQ(top.size(), width * 4u);
    }
}

TEST(PngDecoder, TheTemplatePackageGivesStbsPixels) {
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(std::string(VANTOREL_SOURCE_DIR) + "/resources/package/Templates")) {
    if (entry.path().extension() != ".png") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    const Bytes png((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(OurPixels(png), StbPixels(png)) << entry.path();
    ++files;
  }
  EXPECT_GT(files, 20);
}

// Damaged files: no crash (the sanitizer build watches), and whatever we decode, stb_image
// decodes to the same pixels.
TEST(PngDecoder, DamagedFilesDecodeAsStbDoesOrNotAtAll) {
  std::mt19937 random(11);
  const Bytes kinds[] = {MakePng(9, 6, 8, 2, random), MakePng(5, 4, 2, 3, random), MakePng(3, 5, 16, 6, random)};
  int decoded = 0, refused = 0;
  for (int round = 0; round < 3000; ++round) {
    Bytes png = kinds[round % 3];
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
    const std::vector<Pixel> ours = OurPixels(png);
    if (ours.empty()) {
      ++refused;
      continue;
    }
    ++decoded;
    ASSERT_EQ(ours, StbPixels(png)) << "round " << round << ": " << (stbi_failure_reason() ? stbi_failure_reason() : "");
  }
  EXPECT_GT(decoded, 100);
  EXPECT_GT(refused, 100);
}

}  // namespace
