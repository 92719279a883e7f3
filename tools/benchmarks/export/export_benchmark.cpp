// The SHP export on one 800 x 520 screen: the plain full-search mapping, the fast mapping,
// the quantizer and the whole export, timed in one run, then a summary table.
//
// The screen is the default package's Allied screen when resources/package/Templates
// exists, otherwise a synthetic screen with a few thousand colours.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <unordered_set>
#include <vector>

#include "color_quantizer.h"
#include "image_files.h"
#include "memory_image.h"
#include "nearest_color.h"
#include "renderer.h"
#include "shp_export.h"
#include "synthetic_screen.h"

namespace {

struct Screen {
  LoadScreenDocument document;
  MemoryImage image;
  std::string source;
  Palette palette{};
  std::size_t distinctColours = 0;
};

bool LoadPackageDocument(LoadScreenDocument& document) {
  document.appDir = std::string(VANTOREL_SOURCE_DIR) + "/resources/package/";
  std::string message;
  return std::filesystem::is_directory(document.appDir + "Templates") && InitImageFiles() &&
         document.LoadCommonTemplates(message) && document.SetSide(Allied);
}

Screen& TheScreen() {
  static Screen screen = [] {
    Screen s;
    if (LoadPackageDocument(s.document)) {
      s.source = "default package, Allied";
    } else {
      s.document = LoadScreenDocument();
      synthetic::FillDocument(s.document);
      s.source = "synthetic";
    }
    s.image.Create(CanvasWidth, CanvasHeight);
    RenderLoadScreen(s.document, &s.image);
    ColorQuantizer quantizer(256, 8);
    quantizer.BuildFromImage(s.image);
    ColorTableEntry table[kPaletteSize] = {};
    quantizer.FillColorTable(table, kPaletteSize);
    for (int i = 0; i < kPaletteSize; ++i) s.palette[i] = {table[i].red, table[i].green, table[i].blue};
    std::unordered_set<Pixel> colours;
    for (int y = 0; y < s.image.height; ++y)
      for (int x = 0; x < s.image.width; ++x) colours.insert(s.image.ReadPixel(x, y) & 0xFFFFFF);
    s.distinctColours = colours.size();
    return s;
  }();
  return screen;
}

std::vector<std::uint8_t>& Indices() {
  static std::vector<std::uint8_t> indices(static_cast<std::size_t>(CanvasWidth) * CanvasHeight);
  return indices;
}

void BM_MappingFullSearch(benchmark::State& state) {
  Screen& s = TheScreen();
  for (auto _ : state) {
    MapImageFullSearch(s.image, s.palette, 256, Indices().data());
    benchmark::DoNotOptimize(Indices().data());
  }
}

void BM_MappingFast(benchmark::State& state) {
  Screen& s = TheScreen();
  for (auto _ : state) {
    NearestColorMapper mapper(s.palette, 256);
    for (int y = 0; y < s.image.height; ++y)
      mapper.MapRow(s.image.GetRow(y), s.image.width, Indices().data() + static_cast<std::size_t>(y) * s.image.width);
    benchmark::DoNotOptimize(Indices().data());
  }
}

void BM_Quantizer(benchmark::State& state) {
  Screen& s = TheScreen();
  for (auto _ : state) {
    ColorQuantizer quantizer(256, 8);
    quantizer.BuildFromImage(s.image);
    ColorTableEntry table[kPaletteSize];
    benchmark::DoNotOptimize(quantizer.FillColorTable(table, kPaletteSize));
  }
}

// The export as the editor runs it: render, palette, mapping, both files written and
// renamed into place.
void BM_WholeExport(benchmark::State& state) {
  Screen& s = TheScreen();
  const auto folder = std::filesystem::temp_directory_path() / "vantorel-export-benchmark";
  std::filesystem::create_directories(folder);
  ShpExportSettings settings;
  settings.exportPath = (folder / "screen.shp").string();
  settings.palettePath = (folder / "screen.pal").string();
  for (auto _ : state) {
    if (!ExportShp(s.document, settings).success) state.SkipWithError("export failed");
  }
  std::filesystem::remove_all(folder);
}

BENCHMARK(BM_MappingFullSearch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MappingFast)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Quantizer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WholeExport)->Unit(benchmark::kMillisecond);

struct Times {
  double real = 0, cpu = 0;  // milliseconds per iteration
};

// Collects each benchmark's times per iteration for the summary; plain text, no colours.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  SummaryReporter() : ConsoleReporter(OO_None) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration && !run.error_occurred)
        times[run.benchmark_name()] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};  // in ms
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, Times> times;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const Screen& s = TheScreen();
  auto time = [&](const char* name) {
    const auto found = reporter.times.find(name);
    return found == reporter.times.end() ? Times{} : found->second;
  };
  const Times full = time("BM_MappingFullSearch"), fast = time("BM_MappingFast"), quantizer = time("BM_Quantizer"),
              whole = time("BM_WholeExport");
  std::printf("\nscreen: %s, %d x %d, %zu distinct colours\n", s.source.c_str(), s.image.width, s.image.height,
              s.distinctColours);
  std::printf("%-30s %10s %10s\n", "step", "real ms", "cpu ms");
  auto row = [](const char* name, const Times& t, const char* note) {
    std::printf("%-30s %10.2f %10.2f %s\n", name, t.real, t.cpu, note);
  };
  row("mapping, full search", full, "");
  row("mapping, fast", fast, "");
  row("quantizer (256 colours)", quantizer, "");
  row("whole export (render..files)", whole, "(target < 50)");
  if (fast.cpu > 0) std::printf("%-30s %10.1fx %9.1fx (target >= 10x)\n", "mapping speed-up", full.real / fast.real, full.cpu / fast.cpu);
  benchmark::Shutdown();
  return 0;
}
