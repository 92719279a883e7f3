// What one move of a colourize trackbar costs in the core: the 234 x 232 screenshot
// recomputed from its backup, alone and followed by the render of the whole screen the
// view then shows. Beside one memcpy of the canvas. Uses the default template package.
#include <string>

#include "../ratio_reporter.h"
#include "colourize.h"
#include "content_commands.h"
#include "dib_image.h"
#include "renderer.h"

namespace {

LoadScreenDocument& Document() {
  static LoadScreenDocument doc;
  static bool ready = false;
  if (ready) return doc;
  ready = true;
  doc.appDir = std::string(VANTOREL_SOURCE_DIR) + "/resources/package/";
  std::string message;
  if (!doc.LoadCommonTemplates(message) || !doc.SetSide(Allied) || !doc.SetCameoCount(2))
    std::fprintf(stderr, "template package not found; rendering the screenshot alone\n");
  MemoryImage shot;
  shot.Create(ScreenshotWidth, ScreenshotHeight);
  for (int y = 0; y < shot.height; ++y)
    for (int x = 0; x < shot.width; ++x) shot.WritePixel(x, y, MakePixel(x, y, x ^ y));
  SetScreenshot(doc, std::move(shot));
  BackupScreenshot(doc);
  return doc;
}

const ColourizeSettings kSettings{0, 100, 30, 200, 400};

void ColourizeScreenshotFromBackup(benchmark::State& state) {
  LoadScreenDocument& doc = Document();
  for (auto _ : state) {
    ColourizeScreenshot(doc, kSettings);
    benchmark::ClobberMemory();
  }
}

void ColourizeThenRender(benchmark::State& state) {
  LoadScreenDocument& doc = Document();
  DibImage canvas;
  canvas.Create(CanvasWidth, CanvasHeight);
  for (auto _ : state) {
    ColourizeScreenshot(doc, kSettings);
    RenderLoadScreen(doc, &canvas);
    benchmark::ClobberMemory();
  }
}
}  // namespace

BENCHMARK(MemcpyCanvas);
BENCHMARK(ColourizeScreenshotFromBackup);
BENCHMARK(ColourizeThenRender);

int main(int argc, char** argv) { return RatioReporter::Main(argc, argv, "MemcpyCanvas"); }
