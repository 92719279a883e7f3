// The undo history on a full screen (templates of the default package, three cameos, a
// screenshot, 50 markers): the cost of the first change of a step (the state kept, its
// pictures found in the pool), of a change inside an open step (a drag's next move), and of
// one undo with its redo; and the pixel memory 256 steps hold, when each moved a marker and
// when each took a new screenshot. Beside one memcpy of the canvas.
#include <string>

#include "../ratio_reporter.h"
#include "content_commands.h"
#include "marker_commands.h"
#include "undo_group.h"

namespace {

MemoryImage Shot(int seed) {
  MemoryImage image;
  image.Create(ScreenshotWidth, ScreenshotHeight);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) image.WritePixel(x, y, MakePixel(x + seed, y + seed * 3, x ^ y));
  return image;
}

// A fresh screen; the caller attaches its history.
void MakeScreen(LoadScreenDocument& doc) {
  doc.appDir = std::string(VANTOREL_SOURCE_DIR) + "/resources/package/";
  std::string message;
  if (!doc.LoadCommonTemplates(message) || !doc.SetSide(Allied) || !doc.SetCameoCount(3)) {
    std::fprintf(stderr, "template package not found; using synthetic images\n");
    doc.worldMap.Create(1080, 540);
    doc.interfaceFrame.Create(800, 520);
    doc.cameoCount = 3;
  }
  for (int slot = 0; slot < 3; ++slot) {
    MemoryImage cameo;
    cameo.Create(CameoWidth, CameoHeight);
    cameo.Fill(static_cast<Pixel>(slot * 0x304050));
    SetCameo(doc, slot, std::move(cameo), "cameo.png");
  }
  SetScreenshot(doc, Shot(0));
  MemoryImage symbol;
  symbol.Create(24, 24);
  symbol.Fill(kSideColourRed);
  for (int i = 0; i < 50; ++i) AddMarker(doc, symbol, (i * 97) % 760, (i * 61) % 480, kSideColourRed, "sym.png");
}

void FirstChangeOfAStep(benchmark::State& state) {
  LoadScreenDocument doc;
  MakeScreen(doc);
  UndoHistory history;
  doc.SetRecorder(&history);
  int i = 0;
  for (auto _ : state) MoveMarkerTo(doc, 7, 100 + (++i % 2), 100);
  state.counters["steps"] = static_cast<double>(history.UndoSteps());
}

void ChangeInsideAStep(benchmark::State& state) {
  LoadScreenDocument doc;
  MakeScreen(doc);
  UndoHistory history;
  doc.SetRecorder(&history);
  UndoGroup group(history, doc);
  int i = 0;
  for (auto _ : state) MoveMarkerTo(doc, 7, 100 + (++i % 300), 100);
}

void UndoAndRedo(benchmark::State& state) {
  LoadScreenDocument doc;
  MakeScreen(doc);
  UndoHistory history;
  doc.SetRecorder(&history);
  MoveMarkerTo(doc, 7, 300, 300);
  for (auto _ : state) {
    history.Undo(doc);
    history.Redo(doc);
  }
}

// Memory figures: 256 steps, each moving a marker, or each taking a new screenshot.
void MemoryOf256Steps(benchmark::State& state) {
  const bool newScreenshots = state.range(0) != 0;
  double megabytes = 0;
  for (auto _ : state) {
    LoadScreenDocument doc;
    MakeScreen(doc);
    UndoHistory history;
    doc.SetRecorder(&history);
    for (int step = 1; step <= 300; ++step) {
      if (newScreenshots)
        SetScreenshot(doc, Shot(step));
      else
        MoveMarkerTo(doc, step % 50, step % 700, step % 400);
    }
    megabytes = static_cast<double>(history.ImageBytes()) / (1024.0 * 1024.0);
  }
  state.counters["kept_MB"] = megabytes;
}

}  // namespace

BENCHMARK(MemcpyCanvas);
BENCHMARK(FirstChangeOfAStep);
BENCHMARK(ChangeInsideAStep);
BENCHMARK(UndoAndRedo);
BENCHMARK(MemoryOf256Steps)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) { return RatioReporter::Main(argc, argv, "MemcpyCanvas"); }
