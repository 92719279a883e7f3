// RenderLoadScreen of 800 x 520 with 50 markers into a MemoryImage and a DibImage, beside one
// memcpy of the canvas. Uses the default template package when it is there.
#include <string>

#include "../ratio_reporter.h"
#include "dib_image.h"
#include "image_files.h"
#include "marker_commands.h"
#include "renderer.h"

namespace {

LoadScreenDocument& Document() {
  static LoadScreenDocument doc;
  static bool ready = false;
  if (ready) return doc;
  ready = true;
  doc.appDir = std::string(VANTOREL_SOURCE_DIR) + "/resources/package/";
  std::string message;
  if (!doc.LoadCommonTemplates(message) || !doc.SetSide(Allied) || !doc.SetCameoCount(3)) {
    std::fprintf(stderr, "template package not found; using synthetic images\n");
    doc.worldMap.Create(1040, 520);
    doc.worldMap2x.Create(2080, 1040);
    doc.interfaceFrame.Create(800, 520);
    doc.interfaceFrame.Fill(kTransparentKey);
    doc.largeTargetBox.Create(295, 289);
    doc.smallTargetBox.Create(40, 40);
    doc.cameoCount = 3;
  }
  for (auto& cameo : doc.cameos) cameo.Create(76, 60);
  doc.screenshot.Create(234, 232);
  MemoryImage symbol;
  symbol.Create(24, 24);
  symbol.Fill(kTransparentKey);
  for (int i = 4; i < 20; ++i) symbol.DrawLine(4, i, 20, i, 0xCE0000);
  for (int i = 0; i < 50; ++i) AddMarker(doc, symbol, (i * 97) % 760, (i * 61) % 480, 0xCE0000);
  SelectMarker(doc, 7);
  return doc;
}

template <typename T>
void RenderLoadScreen50Markers(benchmark::State& state) {
  const LoadScreenDocument& doc = Document();
  T canvas;
  canvas.Create(CanvasWidth, CanvasHeight);
  for (auto _ : state) {
    RenderLoadScreen(doc, &canvas);
    benchmark::ClobberMemory();
  }
}

// The target box a billion pixels above the picture: its fans of lines are clipped by
// arithmetic, so this costs what an ordinary render does.
void RenderFarOffTargetBox(benchmark::State& state) {
  LoadScreenDocument& doc = Document();
  const int y = doc.targetBoxPos.y;
  doc.targetBoxPos.y = -1000000000;
  MemoryImage canvas;
  canvas.Create(CanvasWidth, CanvasHeight);
  for (auto _ : state) {
    RenderLoadScreen(doc, &canvas);
    benchmark::ClobberMemory();
  }
  doc.targetBoxPos.y = y;
}
}  // namespace

BENCHMARK(MemcpyCanvas);
BENCHMARK(RenderFarOffTargetBox);
BENCHMARK(RenderLoadScreen50Markers<MemoryImage>);
BENCHMARK(RenderLoadScreen50Markers<DibImage>);

int main(int argc, char** argv) { return RatioReporter::Main(argc, argv, "MemcpyCanvas"); }
