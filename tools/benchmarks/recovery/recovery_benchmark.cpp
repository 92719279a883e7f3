// The editor's recovery copy of a full screen (templates of the default package, three
// cameos, a screenshot, 50 markers): one whole write (scene, screenshot PNG, record, each
// flushed to the disk and put in place), and the composing and encoding alone. The editor
// writes on its window's thread, so this is how long one write holds the input.
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "../ratio_reporter.h"
#include "content_commands.h"
#include "image_files.h"
#include "marker_commands.h"
#include "recovery_copy.h"
#include "scene_writer.h"

namespace {

void MakeScreen(LoadScreenDocument& doc) {
  doc.appDir = std::string(VANTOREL_SOURCE_DIR) + "/resources/package/";
  std::string message;
  if (!doc.LoadCommonTemplates(message) || !doc.SetSide(Allied) || !doc.SetCameoCount(3))
    std::fprintf(stderr, "template package not found: %s\n", message.c_str());
  MemoryImage shot;
  shot.Create(ScreenshotWidth, ScreenshotHeight);
  for (int y = 0; y < shot.height; ++y)
    for (int x = 0; x < shot.width; ++x) shot.WritePixel(x, y, MakePixel(x * 3, y + x, x ^ y));
  SetScreenshot(doc, std::move(shot), "shot.png");
  for (int slot = 0; slot < 3; ++slot) {
    MemoryImage cameo;
    cameo.Create(CameoWidth, CameoHeight);
    SetCameo(doc, slot, std::move(cameo), "cameo.png");
  }
  MemoryImage symbol;
  symbol.Create(24, 24);
  for (int i = 0; i < 50; ++i) AddMarker(doc, symbol, (i * 97) % 760, (i * 61) % 480, kSideColourRed, "sym.png");
}

const RecoveryRecord kRecord{"C:\\maps\\mission1.ini", {2024, 5, 1, 14, 32, 5}, {1234, 0x01DA9C3B12345678ull}};

void WriteWholeCopy(benchmark::State& state) {
  InitImageFiles();
  LoadScreenDocument doc;
  MakeScreen(doc);
  std::random_device random;
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("vantorel-recovery-bench-" + std::to_string(random()));
  std::filesystem::create_directories(folder);
  std::string error;
  for (auto _ : state)
    if (!WriteRecoveryCopy(folder.string(), doc, kRecord, error)) state.SkipWithError(error.c_str());
  std::filesystem::remove_all(folder);
}

void ComposeAndEncodeOnly(benchmark::State& state) {
  InitImageFiles();
  LoadScreenDocument doc;
  MakeScreen(doc);
  std::string text, error;
  std::vector<unsigned char> png;
  for (auto _ : state) {
    ComposeScene(doc, "scene.screenshot.png", text, error, SceneSelection::kKept);
    EncodeImageFile("scene.screenshot.png", doc.screenshot, png);
    benchmark::DoNotOptimize(png.data());
  }
}

}  // namespace

BENCHMARK(MemcpyCanvas);
BENCHMARK(WriteWholeCopy)->Unit(benchmark::kMillisecond);
BENCHMARK(ComposeAndEncodeOnly)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) { return RatioReporter::Main(argc, argv, "MemcpyCanvas"); }
