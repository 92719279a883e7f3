#include "export_preview.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "export_test_support.h"
#include "pal_file.h"
#include "palette_builder.h"
#include "preview_worker.h"
#include "shp_reader.h"
#include "synthetic_screen.h"

namespace {

// A corner of the synthetic screen, frame, map and noisy screenshot: enough colours for
// every method to have work, small enough for the best quantizer.
MemoryImage Corner() {
  MemoryImage screen, corner;
  synthetic::MakeScreen(screen);
  corner.Create(200, 130);
  corner.PasteRect(screen, 0, 0, 600, 380, 200, 130);
  return corner;
}

// The picture the SHP and PAL of a real export decode to.
MemoryImage DecodedExport(const ShpExportSettings& settings) {
  MemoryImage decoded;
  FileBytes shp;
  ShpSprite sprite;
  std::string error;
  Palette palette{};
  EXPECT_TRUE(ReadFileBytes(settings.exportPath.c_str(), shp, error) &&
              ParseShp(shp.data.get(), shp.size, sprite, error))
      << error;
  EXPECT_EQ(ReadPalFile(settings.palettePath.c_str(), palette), PalReadStatus::kOk);
  EXPECT_TRUE(DecodeShpFrameToImage(shp.data.get(), shp.size, sprite, 0, palette, decoded, error)) << error;
  return decoded;
}

std::string ReadWhole(const std::string& path) {
  FileBytes bytes;
  std::string error;
  EXPECT_TRUE(ReadFileBytes(path.c_str(), bytes, error)) << error;
  return bytes.data ? std::string(reinterpret_cast<const char*>(bytes.data.get()), bytes.size) : std::string();
}

bool SamePixels(const Image& a, const Image& b) {
  if (a.width != b.width || a.height != b.height) return false;
  for (int y = 0; y < a.height; ++y)
    for (int x = 0; x < a.width; ++x)
      if ((a.ReadPixel(x, y) & 0xFFFFFF) != (b.ReadPixel(x, y) & 0xFFFFFF)) return false;
  return true;
}

TEST(ExportPreview, EqualsTheDecodedExportForEveryKindOfSettings) {
  ScratchFolder folder;
  const MemoryImage picture = Corner();
  // A palette written by a first export serves the existing-palette cases.
  ShpExportSettings first;
  first.exportPath = folder.Path("first.shp");
  first.palettePath = folder.Path("existing.pal");
  first.colourCount = 230;
  ASSERT_TRUE(ExportPictureAsShp(picture, first).success);
  Palette existing{};
  ASSERT_EQ(ReadPalFile(first.palettePath.c_str(), existing), PalReadStatus::kOk);

  struct Case {
    const char* name;
    PaletteMode mode;
    int colours;
    Quantizer quantizer;
    bool dither, keepIndex0;
  };
  const Case cases[] = {
      {"octree 256", NewPalette, 256, Quantizer::Octree, false, false},
      {"octree 16", NewPalette, 16, Quantizer::Octree, false, false},
      {"octree 5, index 0 kept", NewPalette, 5, Quantizer::Octree, false, true},
      {"best 40 dithered", NewPalette, 40, Quantizer::Best, true, false},
      {"existing 200", ExistingPalette, 200, Quantizer::Octree, false, false},
      {"existing 64 dithered, index 0 kept", ExistingPalette, 64, Quantizer::Best, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ShpExportSettings settings;
    settings.exportPath = folder.Path("screen.shp");
    settings.palettePath = c.mode == NewPalette ? folder.Path("new.pal") : first.palettePath;
    settings.paletteMode = c.mode;
    settings.colourCount = c.colours;
    settings.quantizer = c.quantizer;
    settings.dither = c.dither;
    settings.keepIndex0 = c.keepIndex0;
    ASSERT_TRUE(ExportPictureAsShp(picture, settings).success);
    const ShpExportResult exported = ExportPictureAsShp(picture, settings);
    ASSERT_TRUE(exported.success);
    MemoryImage preview;
    preview.Create(picture.width, picture.height);
    PreviewStats stats;
    ASSERT_EQ(RenderExportPreview(picture, settings, existing, {}, preview, stats), PreviewOutcome::Done);
    EXPECT_TRUE(SamePixels(preview, DecodedExport(settings)));
    EXPECT_DOUBLE_EQ(stats.psnr, PicturePsnr(picture, preview));
    EXPECT_GT(stats.psnr, 10.0);
    EXPECT_LT(stats.psnr, 60.0);
    EXPECT_EQ(stats.index0Pixels, exported.index0Pixels);
  }
}

// The 640 x 400 picture as the export for the game writes it, decoded with the 800
// picture's palette, centred on the grey canvas; the marks fall on exactly the pixels of
// palette entry 0 that the export counts, and leave the figures alone.
TEST(ExportPreview, ShowsThe640PictureAndMarksEntry0AsTheExportWritesThem) {
  ScratchFolder folder;
  MemoryImage screen;
  synthetic::MakeScreen(screen);
  ShpExportSettings first;
  first.exportPath = folder.Path("first.shp");
  first.palettePath = folder.Path("existing.pal");
  ASSERT_TRUE(ExportPictureAsShp(screen, first).success);
  Palette existing{};
  ASSERT_EQ(ReadPalFile(first.palettePath.c_str(), existing), PalReadStatus::kOk);

  struct Case {
    const char* name;
    PaletteMode mode;
    int colours;
    bool dither, keepIndex0;
  };
  const Case cases[] = {{"octree 256", NewPalette, 256, false, false},
                        {"octree 2", NewPalette, 2, false, false},
                        {"existing 120 dithered", ExistingPalette, 120, true, false},
                        {"octree 64, index 0 kept", NewPalette, 64, false, true}};
  long markedCases = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ShpExportSettings settings;
    settings.exportPath = folder.Path("screen.shp");
    settings.palettePath = c.mode == NewPalette ? folder.Path("new.pal") : first.palettePath;
    settings.ls640Path = folder.Path("screen6.shp");
    settings.paletteMode = c.mode;
    settings.colourCount = c.colours;
    settings.dither = c.dither;
    settings.keepIndex0 = c.keepIndex0;
    const ShpExportResult exported = ExportPictureAsShp(screen, settings);
    ASSERT_TRUE(exported.success);
    ShpExportSettings as640 = settings;
    as640.exportPath = settings.ls640Path;
    const MemoryImage decoded = DecodedExport(as640);
    ASSERT_EQ(decoded.width, 640);

    MemoryImage preview, marked;
    preview.Create(screen.width, screen.height);
    marked.Create(screen.width, screen.height);
    PreviewStats stats, markedStats;
    ASSERT_EQ(RenderExportPreview(screen, settings, existing, {true, false}, preview, stats), PreviewOutcome::Done);
    ASSERT_EQ(RenderExportPreview(screen, settings, existing, {true, true}, marked, markedStats), PreviewOutcome::Done);
    MemoryImage expected;
    expected.Create(screen.width, screen.height);
    expected.Fill(kLs640Surround);
    expected.PasteRect(decoded, 80, 60, 0, 0, 640, 400);
    EXPECT_TRUE(SamePixels(preview, expected));
    EXPECT_GT(stats.psnr, 10.0);
    EXPECT_EQ(markedStats.psnr, stats.psnr);

    // The 640 member's bytes after its headers are its indices.
    const std::string bytes = ReadWhole(settings.ls640Path);
    ASSERT_EQ(bytes.size(), 32u + 640u * 400u);
    // The export's rule, on the palette as it was built (before the PAL file's 6 bits).
    Palette used = existing;
    if (c.mode == NewPalette) {
      ASSERT_TRUE(BuildNewPalette(screen, Quantizer::Octree, c.colours, c.keepIndex0 ? 1 : 0, used));
    }
    const bool counted = !c.keepIndex0 && !(used[0] == PaletteColour{});
    long onEntry0 = 0, wrongMarks = 0;
    for (int y = 0; y < 400; ++y)
      for (int x = 0; x < 640; ++x) {
        const bool entry0 = counted && bytes[32 + y * 640 + x] == 0;
        onEntry0 += entry0;
        const Pixel want = entry0 ? kIndex0Mark : preview.ReadPixel(80 + x, 60 + y);
        wrongMarks += (marked.ReadPixel(80 + x, 60 + y) & 0xFFFFFF) != (want & 0xFFFFFF);
      }
    EXPECT_EQ(stats.index0Pixels, onEntry0);
    EXPECT_EQ(wrongMarks, 0);
    markedCases += onEntry0 > 0;
    if (c.keepIndex0) {
      EXPECT_EQ(stats.index0Pixels, 0);
    }

    // The 800 picture's marks are the export's count.
    MemoryImage marked800;
    marked800.Create(screen.width, screen.height);
    PreviewStats stats800;
    ASSERT_EQ(RenderExportPreview(screen, settings, existing, {false, true}, marked800, stats800),
              PreviewOutcome::Done);
    long magenta = 0;
    for (int y = 0; y < marked800.height; ++y)
      for (int x = 0; x < marked800.width; ++x) magenta += (marked800.ReadPixel(x, y) & 0xFFFFFF) == kIndex0Mark;
    EXPECT_EQ(stats800.index0Pixels, exported.index0Pixels);
    EXPECT_EQ(magenta, exported.index0Pixels);
  }
  EXPECT_GT(markedCases, 0) << "no case puts a pixel on a coloured entry 0";
}

TEST(ExportPreview, RefusesWhatCannotExportAndStopsWhenCancelled) {
  const MemoryImage picture = Corner();
  MemoryImage preview;
  preview.Create(picture.width, picture.height);
  PreviewStats stats;
  ShpExportSettings settings;
  settings.colourCount = 1;
  settings.keepIndex0 = true;
  EXPECT_EQ(RenderExportPreview(picture, settings, {}, {}, preview, stats), PreviewOutcome::NotPossible);
  settings.keepIndex0 = false;
  MemoryImage wrongSize;
  wrongSize.Create(10, 10);
  EXPECT_EQ(RenderExportPreview(picture, settings, {}, {}, wrongSize, stats), PreviewOutcome::NotPossible);
  // The 640 picture needs a canvas it fits on.
  EXPECT_EQ(RenderExportPreview(picture, settings, {}, {true, false}, preview, stats), PreviewOutcome::NotPossible);
  int asked = 0;
  settings.dither = true;
  EXPECT_EQ(RenderExportPreview(picture, settings, {}, {}, preview, stats, [&] { return ++asked > 3; }),
            PreviewOutcome::Cancelled);
  EXPECT_EQ(asked, 4);
}

TEST(ExportPreview, PsnrOfKnownDifferences) {
  MemoryImage a, b;
  a.Create(2, 2);
  b.Create(2, 2);
  EXPECT_TRUE(std::isinf(PicturePsnr(a, b)));
  // One channel of one pixel off by 255: mean square 255^2 / 12, so 10 log10(12).
  b.WritePixel(1, 1, MakePixel(0, 255, 0));
  EXPECT_NEAR(PicturePsnr(a, b), 10 * std::log10(12.0), 1e-9);
  MemoryImage other;
  other.Create(3, 2);
  EXPECT_EQ(PicturePsnr(a, other), 0);
}

// The newest request wins: one submitted while another is waiting or running replaces it,
// and only its result arrives.
TEST(PreviewWorker, DeliversOnlyTheNewestRequest) {
  std::mutex mutex;
  std::condition_variable signalled;
  int readyCalls = 0;
  PreviewWorker worker([&] {
    std::lock_guard<std::mutex> lock(mutex);
    ++readyCalls;
    signalled.notify_all();
  });
  auto job = [](std::uint64_t generation, bool slow) {
    PreviewJob j;
    j.picture = std::make_unique<MemoryImage>(Corner());
    j.settings.quantizer = slow ? Quantizer::Best : Quantizer::Octree;
    j.settings.dither = slow;
    j.generation = generation;
    return j;
  };
  // Made first, so the submissions follow each other within microseconds.
  std::vector<PreviewJob> jobs;
  for (std::uint64_t g = 1; g <= 6; ++g) jobs.push_back(job(g, g < 6));
  for (PreviewJob& j : jobs) worker.Submit(std::move(j));
  std::unique_lock<std::mutex> lock(mutex);
  ASSERT_TRUE(signalled.wait_for(lock, std::chrono::seconds(60), [&] { return readyCalls > 0; }));
  lock.unlock();
  PreviewJobResult result;
  ASSERT_TRUE(worker.TakeResult(result));
  EXPECT_EQ(result.generation, 6u);
  ASSERT_EQ(result.outcome, PreviewOutcome::Done);
  ASSERT_TRUE(result.preview);
  EXPECT_EQ(result.preview->width, 200);
  EXPECT_FALSE(worker.TakeResult(result));
  lock.lock();
  EXPECT_EQ(readyCalls, 1);
}

}  // namespace
