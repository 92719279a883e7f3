// What the decoder would trust is checked first: truncated files of every format, sizes the
// data cannot hold, and JPEG tables that would overrun the decoder's arrays are refused with
// the reason, while real files of every kind still load.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "image_decoder.h"
#include "image_files.h"
#include "memory_image.h"
#include "temp_folder.h"

namespace {

const char* const kSeeds[] = {"rgb.png",      "palette.png",   "interlaced_rgba.png", "grey16.png",      "rgb24.bmp",
                              "palette8.bmp", "rgba32_v5.bmp", "baseline.jpg",        "progressive.jpg", "grey.jpg",
                              "raw.tga",      "rle.tga",       "indexed.tga",         "still.gif"};

std::string Seed(const std::string& name) {
  return ReadWholeFile(std::string(VANTOREL_SOURCE_DIR) + "/tests/fuzz/corpus/image_file/" + name);
}

// Checks and decodes as LoadImageFile does; false with the reason.
bool Loads(const std::string& bytes, std::string& reason) {
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  ImageHeader header;
  if (!CheckImageBytes(data, bytes.size(), header, reason)) return false;
  std::vector<Pixel> pixels(static_cast<std::size_t>(header.width) * header.height);
  return DecodeImageBytes(data, bytes.size(), header, pixels.data(), reason);
}

std::string Refusal(const std::string& bytes) {
  std::string reason;
  return Loads(bytes, reason) ? "(loaded)" : reason;
}

void PutBe16(std::string& bytes, std::size_t at, unsigned value) {
  bytes[at] = static_cast<char>(value >> 8);
  bytes[at + 1] = static_cast<char>(value);
}

std::size_t FindMarker(const std::string& jpeg, unsigned char marker) {
  const std::size_t at = jpeg.find(std::string{'\xFF', static_cast<char>(marker)});
  EXPECT_NE(at, std::string::npos);
  return at;
}

}  // namespace

TEST(ImageChecks, EverySeedLoadsAndEveryCutOfItIsRefused) {
  for (const char* name : kSeeds) {
    const std::string bytes = Seed(name);
    ASSERT_FALSE(bytes.empty()) << name;
    EXPECT_EQ(Refusal(bytes), "(loaded)") << name;
    // A GIF's last byte is the trailer after its image; every other byte is needed.
    const std::size_t needed = std::string(name).ends_with(".gif") ? bytes.size() - 1 : bytes.size();
    for (std::size_t length = 1; length < needed; ++length)
      EXPECT_NE(Refusal(bytes.substr(0, length)), "(loaded)") << name << " cut to " << length;
    EXPECT_EQ(Refusal(bytes.substr(0, needed - 1)), "the file is truncated") << name;
  }
}

TEST(ImageChecks, SizesTheDataCannotHoldAreRefusedBeforeDecoding) {
  // A 54-byte BMP header that claims 8192 x 8192 pixels of 24 bits.
  std::string bmp = Seed("rgb24.bmp").substr(0, 54);
  const unsigned char side[4] = {0x00, 0x20, 0x00, 0x00};
  std::memcpy(&bmp[18], side, 4);
  std::memcpy(&bmp[22], side, 4);
  EXPECT_EQ(Refusal(bmp), "the file is truncated");

  std::string png = Seed("rgb.png");
  std::memcpy(&png[16], "\0\0\x20\0\0\0\x20\0", 8);
  std::string gif = Seed("still.gif");
  std::memcpy(&gif[6], "\0\x20\0\x20", 4);
  std::string jpeg = Seed("baseline.jpg");
  const std::size_t frame = FindMarker(jpeg, 0xC0);
  PutBe16(jpeg, frame + 5, 8192);
  PutBe16(jpeg, frame + 7, 8192);
  for (const std::string& file : {png, gif, jpeg})
    EXPECT_NE(Refusal(file).find("cannot hold a 8192 x 8192 image"), std::string::npos) << Refusal(file);

  std::memcpy(&png[16], "\0\0\x4E\x20\0\0\x4E\x20", 8);  // 20000 x 20000
  EXPECT_NE(Refusal(png).find("the image is 20000 x 20000 pixels, more than"), std::string::npos) << Refusal(png);
}

TEST(ImageChecks, JpegHuffmanTablesOfMoreThan256CodesAreRefusedWhateverTheName) {
  // The first table rewritten with 17 codes of 15 bits and 255 of 16: 272 codes, a valid
  // prefix code, more than the decoder's 256-entry arrays hold.
  const std::string original = Seed("baseline.jpg");
  const std::size_t table = FindMarker(original, 0xC4);
  const std::size_t oldLength = static_cast<unsigned char>(original[table + 2]) << 8 |
                                static_cast<unsigned char>(original[table + 3]);
  std::string segment = "\xFF\xC4..";
  segment += '\0';  // DC table 0
  segment += std::string(14, '\0') + '\x11' + '\xFF';
  segment += std::string(272, '\x03');
  PutBe16(segment, 2, static_cast<unsigned>(segment.size() - 2));
  const std::string jpeg = original.substr(0, table) + segment + original.substr(table + 2 + oldLength);

  TempFolder folder;
  for (const char* name : {"evil.jpg", "evil.png"}) {
    MemoryImage image;
    std::string reason;
    EXPECT_FALSE(LoadImageFile(folder.Write(name, jpeg).c_str(), image, reason)) << name;
    EXPECT_EQ(reason, "corrupt JPEG file: a Huffman table declares 272 codes, at most 256 are possible") << name;
    EXPECT_FALSE(image.valid);
  }
}
