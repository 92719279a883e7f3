#include "shp_export.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "color_quantizer.h"
#include "export_test_support.h"
#include "memory_image.h"
#include "nearest_color.h"
#include "pal_file.h"
#include "synthetic_screen.h"

namespace {

constexpr std::size_t kShpSize = 32 + 800 * 520;

// A palette file whose entry i is (i, 63 - i, i / 2) for i < 64 and black after that.
Bytes SixBitPalette() {
  Bytes bytes(768, 0);
  for (int i = 0; i < 64; ++i) {
    bytes[3 * i] = static_cast<std::uint8_t>(i);
    bytes[3 * i + 1] = static_cast<std::uint8_t>(63 - i);
    bytes[3 * i + 2] = static_cast<std::uint8_t>(i / 2);
  }
  return bytes;
}

MemoryImage Picture(int width, int height, std::initializer_list<Pixel> pixels) {
  MemoryImage image;
  image.CreateFromPixels(std::data(pixels), width, height);
  return image;
}

ShpExportSettings Settings(const ScratchFolder& folder, PaletteMode mode, int colours = 256) {
  ShpExportSettings settings;
  settings.exportPath = folder.Path("screen.shp");
  settings.palettePath = folder.Path("screen.pal");
  settings.paletteMode = mode;
  settings.colourCount = colours;
  return settings;
}

TEST(ShpExport, NewPaletteWritesTheGoldenLayout) {
  ScratchFolder folder;
  MemoryImage screen;
  ASSERT_TRUE(synthetic::MakeScreen(screen));
  const ShpExportSettings settings = Settings(folder, NewPalette);
  const ShpExportResult result = ExportPictureAsShp(screen, settings);
  ASSERT_TRUE(result.success) << result.message;

  const Bytes shp = ReadBytes(settings.exportPath);
  ASSERT_EQ(shp.size(), kShpSize);
  const std::uint32_t header16[] = {0, 800, 520, 1, 0, 0, 800, 520};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(Le16(shp, 2 * i), header16[i]) << "16-bit field " << i;
  const std::uint32_t header32[] = {0, 0, 0, 32};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Le32(shp, 16 + 4 * i), header32[i]) << "32-bit field " << i;

  const Bytes pal = ReadBytes(settings.palettePath);
  ASSERT_EQ(pal.size(), 768u);
  for (std::uint8_t b : pal) ASSERT_LE(b, 63);

  // The data is the full search over the quantizer's palette (8-bit, before the shift),
  // and the PAL file that palette shifted to 6 bits.
  ColorQuantizer quantizer(256, 8);
  ASSERT_TRUE(quantizer.BuildFromImage(screen));
  ColorTableEntry table[kPaletteSize] = {};
  quantizer.FillColorTable(table, kPaletteSize);
  Palette palette{};
  for (int i = 0; i < kPaletteSize; ++i) palette[i] = {table[i].red, table[i].green, table[i].blue};
  const PalBytes expectedPal = PalBytesFromPalette(palette);
  EXPECT_TRUE(std::equal(expectedPal.begin(), expectedPal.end(), pal.begin()));
  Bytes expected(800 * 520);
  MapImageFullSearch(screen, palette, 256, expected.data());
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), shp.begin() + 32));
  EXPECT_EQ(folder.Names(), (std::set<std::string>{"screen.pal", "screen.shp"}));
}

TEST(ShpExport, UnfilledPaletteEntriesAreBlack) {
  ScratchFolder folder;
  const MemoryImage picture = Picture(2, 1, {0x804020, 0xFFFFFF});
  ASSERT_TRUE(ExportPictureAsShp(picture, Settings(folder, NewPalette)).success);
  const Bytes pal = ReadBytes(folder.Path("screen.pal"));
  ASSERT_EQ(pal.size(), 768u);
  EXPECT_EQ(Bytes(pal.begin(), pal.begin() + 6), (Bytes{0x20, 0x10, 0x08, 63, 63, 63}));
  EXPECT_EQ(Bytes(pal.begin() + 6, pal.end()), Bytes(762, 0));
}

TEST(ShpExport, ExistingPaletteMapsTinyPictureExactly) {
  ScratchFolder folder;
  const Bytes palBytes = SixBitPalette();
  folder.Write("screen.pal", palBytes);
  // Entry i is (4i, 252 - 4i, 4 * (i / 2)); entry 63 is (252, 0, 124) in memory.
  const MemoryImage picture = Picture(3, 2,
                                      {MakePixel(0, 252, 0), MakePixel(252, 0, 124), MakePixel(9, 243, 5),
                                       MakePixel(255, 0, 127), MakePixel(0, 0, 0), MakePixel(40, 212, 20)});
  const ShpExportResult result = ExportPictureAsShp(picture, Settings(folder, ExistingPalette, 64));
  ASSERT_TRUE(result.success) << result.message;
  const Bytes shp = ReadBytes(folder.Path("screen.shp"));
  ASSERT_EQ(shp.size(), 32u + 6u);
  EXPECT_EQ(Le16(shp, 2), 3u);
  EXPECT_EQ(Le16(shp, 4), 2u);
  EXPECT_EQ(Bytes(shp.begin() + 32, shp.end()), (Bytes{0, 63, 2, 63, 41, 10}));
  EXPECT_EQ(ReadBytes(folder.Path("screen.pal")), palBytes);  // read, never written
}

// Entry 0 of this palette is green, which the games would draw transparent: the export
// counts the pixels put there, and with keepIndex0 puts none there.
TEST(ShpExport, PixelsOnAColouredEntryZeroAreCountedOrKeptOff) {
  ScratchFolder folder;
  folder.Write("screen.pal", SixBitPalette());
  const MemoryImage picture = Picture(3, 1, {MakePixel(0, 252, 0), MakePixel(0, 250, 0), MakePixel(252, 0, 124)});
  ShpExportSettings settings = Settings(folder, ExistingPalette, 64);
  const ShpExportResult counted = ExportPictureAsShp(picture, settings);
  ASSERT_TRUE(counted.success) << counted.message;
  EXPECT_EQ(counted.index0Pixels, 2);
  EXPECT_EQ(Index0Note(counted), "2 pixels use palette entry 0, which the games draw transparent.");

  settings.keepIndex0 = true;
  const ShpExportResult kept = ExportPictureAsShp(picture, settings);
  ASSERT_TRUE(kept.success) << kept.message;
  EXPECT_EQ(kept.index0Pixels, 0);
  EXPECT_EQ(Index0Note(kept), "");
  const Bytes shp = ReadBytes(folder.Path("screen.shp"));
  EXPECT_EQ(std::count(shp.begin() + 32, shp.end(), 0), 0);

  // A black entry 0 is drawn as it is meant: nothing to say.
  const ShpExportResult black = ExportPictureAsShp(Picture(1, 1, {0}), Settings(folder, NewPalette, 16));
  ASSERT_TRUE(black.success);
  EXPECT_EQ(black.index0Pixels, 0);
}

TEST(ShpExport, EntriesFromTheColourCountOnAreNeverUsed) {
  ScratchFolder folder;
  folder.Write("screen.pal", SixBitPalette());
  MemoryImage screen;
  ASSERT_TRUE(synthetic::MakeScreen(screen));
  for (int count : {1, 5, 40}) {
    ASSERT_TRUE(ExportPictureAsShp(screen, Settings(folder, ExistingPalette, count)).success);
    const Bytes shp = ReadBytes(folder.Path("screen.shp"));
    ASSERT_EQ(shp.size(), kShpSize);
    std::uint8_t highest = 0;
    for (std::size_t i = 32; i < shp.size(); ++i) highest = std::max(highest, shp[i]);
    EXPECT_LT(highest, count);
    if (count == 1) {
      EXPECT_EQ(highest, 0);
    }
  }
}

TEST(ShpExport, ColourCountIsClamped) {
  ScratchFolder folder;
  folder.Write("screen.pal", SixBitPalette());
  const MemoryImage picture = Picture(2, 1, {MakePixel(252, 0, 124), MakePixel(0, 252, 0)});
  for (int count : {0, -5}) {
    ASSERT_TRUE(ExportPictureAsShp(picture, Settings(folder, ExistingPalette, count)).success);
    const Bytes shp = ReadBytes(folder.Path("screen.shp"));
    EXPECT_EQ(Bytes(shp.begin() + 32, shp.end()), (Bytes{0, 0}));
  }
  ASSERT_TRUE(ExportPictureAsShp(picture, Settings(folder, ExistingPalette, 100000)).success);
  EXPECT_EQ(ReadBytes(folder.Path("screen.shp"))[32], 63);
}

TEST(ShpExport, ExistingPaletteIsComparedInEightBits) {
  ScratchFolder folder;
  Bytes pal(768, 0);
  pal[0] = pal[1] = pal[2] = 63;  // entry 0: (252, 252, 252)
  pal[3] = pal[4] = pal[5] = 25;  // entry 1: (100, 100, 100)
  pal[6] = pal[7] = pal[8] = 64;  // entry 2 wraps to (0, 0, 0)
  folder.Write("screen.pal", pal);
  const MemoryImage picture =
      Picture(4, 1, {MakePixel(251, 251, 251), MakePixel(100, 100, 100), MakePixel(0, 0, 0), MakePixel(10, 10, 10)});
  ASSERT_TRUE(ExportPictureAsShp(picture, Settings(folder, ExistingPalette, 3)).success);
  const Bytes shp = ReadBytes(folder.Path("screen.shp"));
  EXPECT_EQ(Bytes(shp.begin() + 32, shp.end()), (Bytes{0, 1, 2, 2}));
}

TEST(ShpExport, DocumentExportStepsProgressFourteenTimes) {
  ScratchFolder folder;
  LoadScreenDocument document;
  synthetic::FillDocument(document);
  int steps = 0;
  const ShpExportResult result = ExportShp(document, Settings(folder, NewPalette), [&] { ++steps; });
  ASSERT_TRUE(result.success) << result.message;
  EXPECT_EQ(steps, 14);
  EXPECT_EQ(ReadBytes(folder.Path("screen.shp")).size(), kShpSize);

  // The picture is what the renderer draws.
  MemoryImage screen;
  ASSERT_TRUE(synthetic::MakeScreen(screen));
  ASSERT_TRUE(ExportPictureAsShp(screen, Settings(folder, ExistingPalette)).success);
  const Bytes fromDocument = ReadBytes(folder.Path("screen.shp"));
  ASSERT_TRUE(ExportShp(document, Settings(folder, ExistingPalette)).success);
  EXPECT_EQ(ReadBytes(folder.Path("screen.shp")), fromDocument);
}

// One failure: its message, and the state of the folder afterwards.
struct FailureCase {
  const char* what;
  PaletteMode mode;
  std::string shpName, palName;
  Bytes palContent;  // written before the export when not empty
  std::string message;
  ShpExportError error;
};

TEST(ShpExport, FailuresReportTheirMessageAndChangeNothing) {
  using enum ShpExportError;
  const Bytes earlierShp(123, 0xAB);
  const FailureCase cases[] = {
      {"missing palette", ExistingPalette, "screen.shp", "missing.pal", {}, "PAL file open error!", kPalOpen},
      {"palette of 767 bytes", ExistingPalette, "screen.shp", "screen.pal", Bytes(767, 1), "PAL file read error!",
       kPalRead},
      {"palette is a folder", ExistingPalette, "screen.shp", "folder", {}, "PAL file open error!", kPalOpen},
      {"SHP folder missing", NewPalette, "nowhere/screen.shp", "screen.pal", Bytes(768, 5), "SHP file open error!",
       kShpOpen},
      {"SHP path is a folder", NewPalette, "folder", "screen.pal", Bytes(768, 5), "SHP file open error!", kShpOpen},
      {"PAL folder missing",
       NewPalette,
       "screen.shp",
       "nowhere/screen.pal",
       {},
       "Palette file create error!",
       kPalCreate},
      {"PAL path is a folder", NewPalette, "screen.shp", "folder", {}, "Palette file create error!", kPalCreate},
      {"same file (new palette)", NewPalette, "screen.pal", "screen.pal", Bytes(768, 5), kSamePathMessage, kSamePath},
      {"same file, spelled apart", NewPalette, "./screen.pal", "sub/../screen.pal", Bytes(768, 5), kSamePathMessage,
       kSamePath},
      {"same file (existing palette)", ExistingPalette, "screen.pal", "screen.pal", Bytes(768, 5), kSamePathMessage,
       kSamePath},
  };
  MemoryImage screen;
  ASSERT_TRUE(synthetic::MakeScreen(screen));
  for (const FailureCase& c : cases) {
    ScratchFolder folder;
    std::filesystem::create_directory(folder.Path("folder"));
    std::filesystem::create_directory(folder.Path("sub"));
    folder.Write("screen.shp", earlierShp);
    if (!c.palContent.empty()) folder.Write("screen.pal", c.palContent);
    const std::set<std::string> before = folder.Names();
    ShpExportSettings settings;
    settings.exportPath = folder.Path(c.shpName);
    settings.palettePath = folder.Path(c.palName);
    settings.paletteMode = c.mode;
    const ShpExportResult result = ExportPictureAsShp(screen, settings);
    EXPECT_FALSE(result.success) << c.what;
    EXPECT_EQ(result.message, c.message) << c.what;
    EXPECT_EQ(result.error, c.error) << c.what;
    EXPECT_EQ(result.caption, "Error") << c.what;
    EXPECT_EQ(folder.Names(), before) << c.what << ": no file added or left behind";
    EXPECT_EQ(ReadBytes(folder.Path("screen.shp")), earlierShp) << c.what;
    if (!c.palContent.empty()) {
      EXPECT_EQ(ReadBytes(folder.Path("screen.pal")), c.palContent) << c.what;
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path("folder"))) << c.what;
  }
}

TEST(ShpExport, PaletteOfEightHundredBytesIsAccepted) {
  ScratchFolder folder;
  Bytes pal = SixBitPalette();
  pal.resize(800, 63);  // the extra 32 bytes are ignored
  folder.Write("screen.pal", pal);
  const MemoryImage picture = Picture(1, 1, {MakePixel(252, 252, 252)});
  ASSERT_TRUE(ExportPictureAsShp(picture, Settings(folder, ExistingPalette)).success);
  EXPECT_EQ(ReadBytes(folder.Path("screen.pal")), pal);
}

TEST(ShpExport, SuccessReplacesEarlierFilesAndLeavesNoTemporaries) {
  ScratchFolder folder;
  folder.Write("screen.shp", Bytes(10, 1));
  folder.Write("screen.pal", Bytes(10, 2));
  const MemoryImage picture = Picture(2, 2, {1, 2, 3, 4});
  ASSERT_TRUE(ExportPictureAsShp(picture, Settings(folder, NewPalette)).success);
  EXPECT_EQ(ReadBytes(folder.Path("screen.shp")).size(), 36u);
  EXPECT_EQ(ReadBytes(folder.Path("screen.pal")).size(), 768u);
  EXPECT_EQ(folder.Names(), (std::set<std::string>{"screen.pal", "screen.shp"}));
}

TEST(ShpExport, PictureWithoutPixelsIsRefused) {
  ScratchFolder folder;
  const ShpExportResult result = ExportPictureAsShp(MemoryImage(), Settings(folder, NewPalette));
  EXPECT_EQ(result.error, ShpExportError::kPicture);
  EXPECT_EQ(result.caption, "Error");
  EXPECT_TRUE(folder.Names().empty());
}

TEST(SameFilePath, SpellingsOfOneFile) {
  ScratchFolder folder;
  folder.Write("a.pal", Bytes(1, 0));
  EXPECT_TRUE(SameFilePath(folder.Path("a.pal"), folder.Path("a.pal")));
  EXPECT_TRUE(SameFilePath(folder.Path("a.pal"), folder.Folder() + "/./a.pal"));
  EXPECT_TRUE(SameFilePath(folder.Path("new.pal"), folder.Folder() + "/x/../new.pal"));
  EXPECT_FALSE(SameFilePath(folder.Path("a.pal"), folder.Path("a.shp")));
}

}  // namespace
