// The editor's "as exported" preview on the default screen: one whole refresh with the
// octree (compose, palette, mapping, the preview copied into the canvas; the copy to the
// window is a blit measured by tools/repaint_benchmark), then the slower methods and the
// 640 x 400 picture, which run on the worker thread. Prints the figures beside the refresh
// target of 16 ms.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "export_preview.h"
#include "image_files.h"
#include "memory_image.h"
#include "renderer.h"
#include "synthetic_screen.h"

namespace {

const std::string kPackage = std::string(VANTOREL_SOURCE_DIR) + "/resources/package";

struct Screen {
  LoadScreenDocument document;
  MemoryImage canvas, preview;
  std::string source;
};

Screen& TheScreen() {
  static Screen s;
  static bool ready = false;
  if (ready) return s;
  ready = true;
  s.document.appDir = kPackage + "/";
  std::string message;
  if (std::filesystem::is_directory(s.document.appDir + "Templates") && InitImageFiles() &&
      s.document.LoadCommonTemplates(message) && s.document.SetSide(Allied)) {
    s.source = "default package, Allied";
  } else {
    s.document = LoadScreenDocument();
    synthetic::FillDocument(s.document);
    s.source = "synthetic";
  }
  s.canvas.Create(CanvasWidth, CanvasHeight);
  s.preview.Create(CanvasWidth, CanvasHeight);
  return s;
}

void Refresh(benchmark::State& state, Quantizer quantizer, bool dither, PreviewShape shape = {}) {
  Screen& s = TheScreen();
  ShpExportSettings settings;
  settings.quantizer = quantizer;
  settings.dither = dither;
  PreviewStats stats;
  for (auto _ : state) {
    RenderLoadScreen(s.document, &s.canvas);
    if (RenderExportPreview(s.canvas, settings, {}, shape, s.preview, stats) != PreviewOutcome::Done)
      state.SkipWithError("preview failed");
    s.canvas.PasteRect(s.preview, 0, 0, 0, 0, CanvasWidth, CanvasHeight);
    benchmark::DoNotOptimize(s.canvas.GetRow(0));
  }
  state.counters["psnr_dB"] = stats.psnr;
}

void BM_OctreeRefresh(benchmark::State& state) { Refresh(state, Quantizer::Octree, false); }
void BM_OctreeMarkedRefresh(benchmark::State& state) { Refresh(state, Quantizer::Octree, false, {false, true}); }
void BM_Octree640Refresh(benchmark::State& state) { Refresh(state, Quantizer::Octree, false, {true, false}); }
void BM_OctreeDitheredRefresh(benchmark::State& state) { Refresh(state, Quantizer::Octree, true); }
void BM_BestRefresh(benchmark::State& state) { Refresh(state, Quantizer::Best, false); }
void BM_BestDitheredRefresh(benchmark::State& state) { Refresh(state, Quantizer::Best, true); }

BENCHMARK(BM_OctreeRefresh)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OctreeMarkedRefresh)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Octree640Refresh)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OctreeDitheredRefresh)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BestRefresh)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BestDitheredRefresh)->Unit(benchmark::kMillisecond);

class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  SummaryReporter() : ConsoleReporter(OO_None) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration && !run.error_occurred)
        cpu[run.benchmark_name()] = run.GetAdjustedCPUTime();  // in ms
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> cpu;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nscreen: %s; cpu ms per whole refresh (compose, reduce, map, copy), one thread\n",
              TheScreen().source.c_str());
  const char* rows[][2] = {{"BM_OctreeRefresh", "octree (at once, target <= 16 ms)"},
                           {"BM_OctreeMarkedRefresh", "octree, entry 0 marked (at once)"},
                           {"BM_Octree640Refresh", "octree, the 640 x 400 picture (worker)"},
                           {"BM_OctreeDitheredRefresh", "octree, dithered (worker)"},
                           {"BM_BestRefresh", "best (worker)"},
                           {"BM_BestDitheredRefresh", "best, dithered (worker)"}};
  for (const auto& row : rows)
    if (reporter.cpu.count(row[0])) std::printf("%-40s %8.2f\n", row[1], reporter.cpu[row[0]]);
  benchmark::Shutdown();
  return 0;
}
