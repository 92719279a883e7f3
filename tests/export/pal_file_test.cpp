#include "pal_file.h"

#include <gtest/gtest.h>

#include "export_test_support.h"

namespace {

TEST(PalFile, SixBitsToEightMultiplyByFourAndWrap) {
  PalBytes bytes{};
  const std::uint8_t samples[] = {0, 1, 63, 64, 65, 255};
  const std::uint8_t expected[] = {0, 4, 252, 0, 4, 252};
  for (int i = 0; i < 6; ++i) bytes[i] = samples[i];
  const Palette palette = PaletteFromPalBytes(bytes);
  for (int i = 0; i < 6; ++i) {
    const PaletteColour& c = palette[i / 3];
    EXPECT_EQ(i % 3 == 0 ? c.red : i % 3 == 1 ? c.green : c.blue, expected[i]) << int{samples[i]};
  }
}

TEST(PalFile, EightBitsToSixDropTheLowBits) {
  Palette palette{};
  palette[0] = {255, 252, 251};
  palette[255] = {3, 4, 128};
  const PalBytes bytes = PalBytesFromPalette(palette);
  EXPECT_EQ(bytes[0], 63);
  EXPECT_EQ(bytes[1], 63);
  EXPECT_EQ(bytes[2], 62);
  EXPECT_EQ(bytes[765], 0);
  EXPECT_EQ(bytes[766], 1);
  EXPECT_EQ(bytes[767], 32);
  for (std::uint8_t b : bytes) EXPECT_LE(b, 63);
}

TEST(PalFile, RoundTripKeepsSixBitValues) {
  PalBytes bytes;
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i % 64);
  EXPECT_EQ(PalBytesFromPalette(PaletteFromPalBytes(bytes)), bytes);
}

TEST(PalFile, Reading) {
  ScratchFolder folder;
  Bytes content(800);
  for (std::size_t i = 0; i < content.size(); ++i) content[i] = static_cast<std::uint8_t>(i % 64);
  const Palette sentinel = [] {
    Palette p{};
    p[5] = {1, 2, 3};
    return p;
  }();

  Palette palette = sentinel;
  EXPECT_EQ(ReadPalFile(folder.Path("missing.pal").c_str(), palette), PalReadStatus::kOpenError);
  EXPECT_EQ(palette, sentinel);

  EXPECT_EQ(ReadPalFile(folder.Write("short.pal", Bytes(content.begin(), content.begin() + 767)).c_str(), palette),
            PalReadStatus::kReadError);
  EXPECT_EQ(palette, sentinel);

  ASSERT_EQ(ReadPalFile(folder.Write("long.pal", content).c_str(), palette), PalReadStatus::kOk);
  EXPECT_EQ(palette[0], (PaletteColour{0, 4, 8}));
  EXPECT_EQ(palette[255], (PaletteColour{(765 % 64) * 4, (766 % 64) * 4, (767 % 64) * 4}));
}

}  // namespace
