// The SHP export on two 800 x 520 screens: the plain full-search mapping, the fast mapping,
// both quantizers, dithering and the whole export, timed in one run, then a summary table.
//
// The screens are the default package's Allied screen (a synthetic screen with a few
// thousand colours when resources/package/Templates is missing) and the high-colour screen
// of tools/benchmarks/screens, whose noisy plasma map and screenshot make most pixels
// distinct.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <unordered_set>
#include <vector>

#include "../screens/benchmark_screens.h"
#include "best_quantizer.h"
#include "color_quantizer.h"
#include "image_files.h"
#include "memory_image.h"
#include "nearest_color.h"
#include "picture_mapping.h"
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

bool LoadPackageDocument(LoadScreenDocument& document, const std::string& package) {
  document.appDir = package + "/";
  std::string message;
  return std::filesystem::is_directory(document.appDir + "Templates") && InitImageFiles() &&
         document.LoadCommonTemplates(message) && document.SetSide(Allied);
}

void Finish(Screen& s) {
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
}

const std::string kPackage = std::string(VANTOREL_SOURCE_DIR) + "/resources/package";

// 0: the default screen, 1: the high-colour screen.
Screen& TheScreen(int which) {
  static Screen screens[2];
  static bool ready[2] = {};
  Screen& s = screens[which];
  if (ready[which]) return s;
  ready[which] = true;
  if (which == 0) {
    if (LoadPackageDocument(s.document, kPackage)) {
      s.source = "default package, Allied";
    } else {
      s.document = LoadScreenDocument();
      synthetic::FillDocument(s.document);
      s.source = "synthetic";
    }
  } else {
    // The high-colour package lives in a temporary folder for the run; the document keeps
    // its templates in memory.
    const auto folder = std::filesystem::temp_directory_path() / "vantorel-benchmark-screens";
    InitImageFiles();
    const auto written = benchmark_screens::WriteScreens(kPackage, folder.string());
    if (written.size() == 3 && LoadPackageDocument(s.document, written[2].package)) {
      MemoryImage shot;
      LoadImageFile((folder / "high-colour-shot.png").string().c_str(), shot);
      s.document.screenshot.Free();
      s.document.screenshot.Create(234, 232);
      s.document.screenshot.PasteRect(shot, 0, 0, 0, 0, 234, 232);
      s.source = "high-colour (noisy plasma)";
    } else {
      synthetic::FillDocument(s.document);
      s.source = "synthetic (no package for the high-colour screen)";
    }
    std::filesystem::remove_all(folder);
  }
  Finish(s);
  return s;
}

std::vector<std::uint8_t>& Indices() {
  static std::vector<std::uint8_t> indices(static_cast<std::size_t>(CanvasWidth) * CanvasHeight);
  return indices;
}

void BM_MappingFullSearch(benchmark::State& state) {
  Screen& s = TheScreen(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    MapImageFullSearch(s.image, s.palette, 256, Indices().data());
    benchmark::DoNotOptimize(Indices().data());
  }
}

void BM_MappingFast(benchmark::State& state) {
  Screen& s = TheScreen(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    NearestColourMapper mapper(s.palette, 256);
    for (int y = 0; y < s.image.height; ++y)
      mapper.MapRow(s.image.GetRow(y), s.image.width, Indices().data() + static_cast<std::size_t>(y) * s.image.width);
    benchmark::DoNotOptimize(Indices().data());
  }
}

void BM_MappingDithered(benchmark::State& state) {
  Screen& s = TheScreen(static_cast<int>(state.range(0)));
  MappingOptions options;
  options.dither = true;
  for (auto _ : state) {
    MapPicture(s.image, s.palette, options, Indices().data());
    benchmark::DoNotOptimize(Indices().data());
  }
}

void BM_Quantizer(benchmark::State& state) {
  Screen& s = TheScreen(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    ColorQuantizer quantizer(256, 8);
    quantizer.BuildFromImage(s.image);
    ColorTableEntry table[kPaletteSize];
    benchmark::DoNotOptimize(quantizer.FillColorTable(table, kPaletteSize));
  }
}

void BM_BestQuantizer(benchmark::State& state) {
  Screen& s = TheScreen(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    Palette palette;
    benchmark::DoNotOptimize(BuildBestPalette(s.image, 256, palette.data()));
  }
}

// The export as the editor runs it: render, palette, mapping, both files written and
// renamed into place (templates already in memory).
void WholeExport(benchmark::State& state, Quantizer quantizer) {
  Screen& s = TheScreen(static_cast<int>(state.range(0)));
  const auto folder = std::filesystem::temp_directory_path() / "vantorel-export-benchmark";
  std::filesystem::create_directories(folder);
  ShpExportSettings settings;
  settings.exportPath = (folder / "screen.shp").string();
  settings.palettePath = (folder / "screen.pal").string();
  settings.quantizer = quantizer;
  for (auto _ : state) {
    if (!ExportShp(s.document, settings).success) state.SkipWithError("export failed");
  }
  std::filesystem::remove_all(folder);
}
void BM_WholeExport(benchmark::State& state) { WholeExport(state, Quantizer::Octree); }
void BM_WholeExportBest(benchmark::State& state) { WholeExport(state, Quantizer::Best); }

BENCHMARK(BM_MappingFullSearch)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MappingFast)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MappingDithered)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Quantizer)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BestQuantizer)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WholeExport)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WholeExportBest)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

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
  auto time = [&](const char* prefix, const std::string& arg) {
    const auto found = reporter.times.find(std::string(prefix).append(arg));
    return found == reporter.times.end() ? Times{} : found->second;
  };
  for (int which = 0; which < 2; ++which) {
    const Screen& s = TheScreen(which);
    // Appended, not "literal" + string: GCC 12 warns falsely (-Wrestrict) about the latter.
    std::string arg(1, '/');
    arg.append(std::to_string(which));
    const Times full = time("BM_MappingFullSearch", arg), fast = time("BM_MappingFast", arg);
    std::printf("\nscreen: %s, %d x %d, %zu distinct colours\n", s.source.c_str(), s.image.width, s.image.height,
                s.distinctColours);
    std::printf("%-34s %10s %10s\n", "step", "real ms", "cpu ms");
    auto row = [](const char* name, const Times& t, const char* note) {
      std::printf("%-34s %10.2f %10.2f %s\n", name, t.real, t.cpu, note);
    };
    row("mapping, full search", full, "");
    row("mapping, fast", fast, "");
    row("mapping, dithered", time("BM_MappingDithered", arg), "");
    row("octree quantizer (256 colours)", time("BM_Quantizer", arg), "");
    row("best quantizer (256 colours)", time("BM_BestQuantizer", arg), "");
    row("whole export, octree", time("BM_WholeExport", arg), "(render..files; templates in memory)");
    row("whole export, best", time("BM_WholeExportBest", arg), "");
    if (fast.cpu > 0)
      std::printf("%-34s %10.1fx %9.1fx (target >= 10x)\n", "mapping speed-up", full.real / fast.real,
                  full.cpu / fast.cpu);
  }
  benchmark::Shutdown();
  return 0;
}
