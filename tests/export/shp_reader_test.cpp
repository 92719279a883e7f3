#include "shp_reader.h"

#include <gtest/gtest.h>

#include <random>

#include "export_test_support.h"
#include "shp_export.h"

namespace {

void Put16(Bytes& b, std::size_t at, unsigned v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
  Put16(b, at, v & 0xFFFF);
  Put16(b, at + 2, v >> 16);
}

// A 6 x 3 sprite with two frames: frame 0 raw 2 x 2 at (4, 1); frame 1 compressed 4 x 2 at
// (1, 0), lines "5 0x00 2 7" (5, 0, 0, 7) and "0x00 4" (four zeros).
Bytes TwoFrameSprite() {
  Bytes b(8 + 2 * 24);
  Put16(b, 2, 6);
  Put16(b, 4, 3);
  Put16(b, 6, 2);
  Put16(b, 8, 4), Put16(b, 10, 1), Put16(b, 12, 2), Put16(b, 14, 2), Put32(b, 16, 0), Put32(b, 28, 56);
  Put16(b, 32, 1), Put16(b, 34, 0), Put16(b, 36, 4), Put16(b, 38, 2), Put32(b, 40, 3), Put32(b, 52, 60);
  for (std::uint8_t v : {9, 8, 7, 6}) b.push_back(v);
  for (std::uint8_t v : {6, 0, 5, 0, 2, 7, 4, 0, 0, 4}) b.push_back(v);
  return b;
}

std::string ParseError(const Bytes& bytes) {
  ShpSprite sprite;
  std::string error;
  if (ParseShp(bytes.data(), bytes.size(), sprite, error)) return "";
  EXPECT_FALSE(error.empty());
  return error;
}

TEST(ShpReader, ParsesAndDecodesRawAndCompressedFrames) {
  const Bytes bytes = TwoFrameSprite();
  ShpSprite sprite;
  std::string error;
  ASSERT_TRUE(ParseShp(bytes.data(), bytes.size(), sprite, error)) << error;
  EXPECT_EQ(sprite.header.width, 6);
  EXPECT_EQ(sprite.header.height, 3);
  ASSERT_EQ(sprite.frames.size(), 2u);
  EXPECT_EQ(sprite.frames[1].flags, 3u);
  EXPECT_EQ(sprite.frames[1].dataOffset, 60u);

  Bytes canvas(18, 0xEE);
  ASSERT_TRUE(DecodeShpFrame(bytes.data(), bytes.size(), sprite, 0, canvas.data(), error)) << error;
  EXPECT_EQ(canvas, (Bytes{0, 0, 0, 0, 0, 0,  //
                           0, 0, 0, 0, 9, 8,  //
                           0, 0, 0, 0, 7, 6}));
  ASSERT_TRUE(DecodeShpFrame(bytes.data(), bytes.size(), sprite, 1, canvas.data(), error)) << error;
  EXPECT_EQ(canvas, (Bytes{0, 5, 0, 0, 7, 0,  //
                           0, 0, 0, 0, 0, 0,  //
                           0, 0, 0, 0, 0, 0}));
  EXPECT_FALSE(DecodeShpFrame(bytes.data(), bytes.size(), sprite, 2, canvas.data(), error));
}

TEST(ShpReader, DecodesToPaletteColours) {
  const Bytes bytes = TwoFrameSprite();
  ShpSprite sprite;
  std::string error;
  ASSERT_TRUE(ParseShp(bytes.data(), bytes.size(), sprite, error));
  Palette palette{};
  palette[0] = {1, 2, 3};
  palette[9] = {200, 100, 50};
  MemoryImage image;
  ASSERT_TRUE(DecodeShpFrameToImage(bytes.data(), bytes.size(), sprite, 0, palette, image, error));
  EXPECT_EQ(image.width, 6);
  EXPECT_EQ(image.ReadPixel(0, 0), MakePixel(1, 2, 3));
  EXPECT_EQ(image.ReadPixel(4, 1), MakePixel(200, 100, 50));
}

TEST(ShpReader, EmptyFramesNeedNoData) {
  Bytes bytes = TwoFrameSprite();
  Put16(bytes, 8, 60000);  // nonsense position, but no data
  Put32(bytes, 28, 0);
  ShpSprite sprite;
  std::string error;
  ASSERT_TRUE(ParseShp(bytes.data(), bytes.size(), sprite, error)) << error;
  Bytes canvas(18, 0xEE);
  ASSERT_TRUE(DecodeShpFrame(bytes.data(), bytes.size(), sprite, 0, canvas.data(), error));
  EXPECT_EQ(canvas, Bytes(18, 0));
}

TEST(ShpReader, MalformedFilesAreRefused) {
  struct Case {
    const char* what;
    void (*spoil)(Bytes&);
    const char* errorPart;
  };
  const Case cases[] = {
      {"shorter than the file header", [](Bytes& b) { b.resize(7); }, "truncated"},
      {"first field not zero", [](Bytes& b) { Put16(b, 0, 1); }, "not an SHP"},
      {"zero width", [](Bytes& b) { Put16(b, 2, 0); }, "0 x 3"},
      {"side above 16384", [](Bytes& b) { Put16(b, 4, 16385); }, "more than 16384"},
      {"no frames", [](Bytes& b) { Put16(b, 6, 0); }, "no frames"},
      {"frame headers cut off", [](Bytes& b) { b.resize(40); }, "truncated"},
      {"65535 frames claimed", [](Bytes& b) { Put16(b, 6, 65535); }, "truncated"},
      {"frame right of the sprite", [](Bytes& b) { Put16(b, 8, 5); }, "outside the 6 x 3 sprite"},
      {"frame below the sprite", [](Bytes& b) { Put16(b, 38, 4); }, "outside"},
      {"frame size wraps 16 bits", [](Bytes& b) { Put16(b, 8, 0xFFFF); }, "outside"},
      {"offset inside the headers", [](Bytes& b) { Put32(b, 28, 8); }, "into the headers"},
      {"offset past the end", [](Bytes& b) { Put32(b, 28, 0xFFFFFFF0); }, "outside the file"},
      {"raw data cut off", [](Bytes& b) { Put32(b, 28, 67); }, "needs 4 bytes"},
      {"compressed: line too long for the file", [](Bytes& b) { Put16(b, 60, 200); }, "past the end"},
      {"compressed: line length below 2", [](Bytes& b) { Put16(b, 60, 1); }, "impossible length"},
      {"compressed: too many pixels", [](Bytes& b) { b[62] = 0, b[63] = 5; }, "more than the frame's 4"},
      {"compressed: literal past the frame", [](Bytes& b) { b[64] = 3; }, "more than the frame's"},
      {"compressed: run without count", [](Bytes& b) { b.resize(b.size() - 1), Put16(b, 66, 3); }, "inside a run"},
      {"compressed: second line missing", [](Bytes& b) { b.resize(67); }, "cut off"},
  };
  for (const Case& c : cases) {
    Bytes bytes = TwoFrameSprite();
    c.spoil(bytes);
    const std::string error = ParseError(bytes);
    EXPECT_NE(error.find(c.errorPart), std::string::npos) << c.what << ": '" << error << "'";
    EXPECT_EQ(error.find('\n'), std::string::npos) << c.what;
  }
}

TEST(ShpReader, RandomCorruptionsNeverReadOutsideTheFile) {
  const Bytes valid = TwoFrameSprite();
  std::mt19937 random(99);
  int accepted = 0;
  for (int round = 0; round < 20000; ++round) {
    Bytes bytes = valid;
    const int edits = 1 + static_cast<int>(random() % 4);
    for (int e = 0; e < edits; ++e) {
      const std::size_t at = random() % bytes.size();
      switch (random() % 5) {
        case 0: bytes[at] = static_cast<std::uint8_t>(random()); break;
        case 1: bytes[at] ^= static_cast<std::uint8_t>(1u << (random() % 8)); break;
        case 2: bytes.resize(at); break;
        case 3: bytes[at] = random() % 2 ? 0xFF : 0x00; break;
        default: bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at), static_cast<std::uint8_t>(random()));
      }
      if (bytes.empty()) break;
    }
    // Exact size: the sanitizer build catches any read past it.
    std::unique_ptr<std::uint8_t[]> exact(new std::uint8_t[bytes.size() ? bytes.size() : 1]);
    std::copy(bytes.begin(), bytes.end(), exact.get());
    ShpSprite sprite;
    std::string error;
    if (!ParseShp(exact.get(), bytes.size(), sprite, error)) continue;
    ++accepted;
    Bytes canvas(static_cast<std::size_t>(sprite.header.width) * sprite.header.height);
    for (std::size_t i = 0; i < sprite.frames.size(); ++i)
      EXPECT_TRUE(DecodeShpFrame(exact.get(), bytes.size(), sprite, i, canvas.data(), error)) << error;
  }
  EXPECT_GT(accepted, 0);
}

TEST(ShpReader, ReadsWhatTheExportWrote) {
  ScratchFolder folder;
  const Pixel pixels[6] = {0, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0x808080};
  MemoryImage picture;
  ASSERT_TRUE(picture.CreateFromPixels(pixels, 3, 2));
  ShpExportSettings settings;
  settings.exportPath = folder.Path("a.shp");
  settings.palettePath = folder.Path("a.pal");
  ASSERT_TRUE(ExportPictureAsShp(picture, settings).success);

  FileBytes bytes;
  std::string error;
  ASSERT_TRUE(ReadFileBytes(settings.exportPath.c_str(), bytes, error)) << error;
  ShpSprite sprite;
  ASSERT_TRUE(ParseShp(bytes.data.get(), bytes.size, sprite, error)) << error;
  ASSERT_EQ(sprite.frames.size(), 1u);
  Bytes canvas(6);
  ASSERT_TRUE(DecodeShpFrame(bytes.data.get(), bytes.size, sprite, 0, canvas.data(), error));
  const Bytes file = ReadBytes(settings.exportPath);
  EXPECT_EQ(canvas, Bytes(file.begin() + 32, file.end()));

  EXPECT_FALSE(ReadFileBytes(folder.Path("missing.shp").c_str(), bytes, error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
