// Image files met as bytes: a PNG on the clipboard decodes to the pixels of the same file
// read from the disk, anything else there is refused with what it is, and a file's first
// bytes tell whether it is a picture whatever it is called.
#include "image_bytes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "image_files.h"
#include "memory_image.h"
#include "read_file.h"
#include "temp_folder.h"
#include "test_images.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

MemoryImage Pattern(int width, int height) {
  MemoryImage image;
  image.Create(width, height);
  FillPattern(image);
  return image;
}

Bytes Encoded(const char* formatName, const Image& image) {
  std::vector<unsigned char> bytes;
  EXPECT_TRUE(EncodeImageFile(formatName, image, bytes));
  return Bytes(bytes.begin(), bytes.end());
}

void Put32(Bytes& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

// A PNG signature and an IHDR chunk declaring width x height (the checks read no CRC).
Bytes PngHeaderOnly(std::uint32_t width, std::uint32_t height) {
  Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Put32(png, 13);
  for (char c : {'I', 'H', 'D', 'R'}) png.push_back(static_cast<std::uint8_t>(c));
  Put32(png, width);
  Put32(png, height);
  for (std::uint8_t b : {8, 2, 0, 0, 0}) png.push_back(b);
  Put32(png, 0);
  return png;
}

}  // namespace

// The picture is large enough for the file route to go through the decoded-picture store,
// and the clipboard's memory block may be longer than the file it holds.
TEST(DecodePngBytes, GivesThePixelsOfTheSameFileReadFromTheDisk) {
  TempFolder folder;
  const MemoryImage original = Pattern(300, 280);
  const Bytes png = Encoded("x.png", original);
  const std::string path = folder.Write("shot.png", png);
  MemoryImage fromFile;
  std::string reason;
  ASSERT_TRUE(LoadImageFile(path.c_str(), fromFile, reason)) << reason;

  Bytes padded = png;
  padded.resize(png.size() + 4096, 0);
  for (const Bytes* bytes : {&png, static_cast<const Bytes*>(&padded)}) {
    MemoryImage fromBytes;
    ASSERT_TRUE(DecodePngBytes(bytes->data(), bytes->size(), fromBytes, reason)) << reason;
    EXPECT_EQ(fromBytes.width, 300);
    EXPECT_EQ(fromBytes.height, 280);
    EXPECT_EQ(PixelsOf(fromBytes), PixelsOf(fromFile));
    EXPECT_EQ(PixelsOf(fromBytes), PixelsOf(original));
  }
}

TEST(DecodePngBytes, RefusesWhatIsNoUsablePngAndKeepsThePicture) {
  const Bytes png = Encoded("x.png", Pattern(40, 30));
  const Bytes truncated(png.begin(), png.begin() + static_cast<std::ptrdiff_t>(png.size() / 2));
  const Bytes bmp = Encoded("x.bmp", Pattern(4, 3));
  const std::string textBytes = "This is a note, not a picture.\n";
  const Bytes text(textBytes.begin(), textBytes.end());
  const Bytes tooWide = PngHeaderOnly(20000, 1);
  const Bytes tooMany = PngHeaderOnly(16384, 16384);
  const struct {
    const Bytes& bytes;
    const char* why;
  } cases[] = {{truncated, "truncated"},
               {bmp, "it is a BMP image, not a PNG image"},
               {text, "it is not a PNG image"},
               {tooWide, "20000"},
               {tooMany, "16384"},
               {Bytes{}, "it is not a PNG image"}};
  for (const auto& refused : cases) {
    MemoryImage picture = Pattern(2, 2);
    std::string reason;
    EXPECT_FALSE(DecodePngBytes(refused.bytes.data(), refused.bytes.size(), picture, reason)) << refused.why;
    EXPECT_NE(reason.find(refused.why), std::string::npos) << reason;
    EXPECT_EQ(picture.width, 2) << "the picture stays as it was: " << refused.why;
    EXPECT_EQ(PixelsOf(picture), PixelsOf(Pattern(2, 2)));
  }
}

TEST(FileStartsAsImage, LooksAtTheContentNotTheName) {
  TempFolder folder;
  const std::string png = folder.Write("shot.png", Encoded("x.png", Pattern(5, 5)));
  const std::string pngNamedTxt = folder.Write("shot.txt", Encoded("x.png", Pattern(5, 5)));
  const std::string bmp = folder.Write("shot.bmp", Encoded("x.bmp", Pattern(5, 5)));
  const std::string jpeg = folder.Write("shot.jpg", Encoded("x.jpg", Pattern(64, 64)));
  const std::string textNamedPng = folder.Write("notes.png", std::string("Meeting at noon.\nBring the maps.\n"));
  const std::string empty = folder.Write("empty.png", std::string());
  for (const std::string& picture : {png, pngNamedTxt, bmp, jpeg}) EXPECT_TRUE(FileStartsAsImage(picture)) << picture;
  for (const std::string& other : {textNamedPng, empty, folder.Path("missing.png"), folder.Path("")})
    EXPECT_FALSE(FileStartsAsImage(other)) << other;
}
