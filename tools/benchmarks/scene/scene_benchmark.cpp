// The scene reader on hostile files, whole (read from the disk, parsed, checked, refused):
// 10,000 to 40,000 keys in one section and as many sections, each with a repeat at the end,
// and files at the 16 MiB limit: a million markers, one line of 16 MiB, 16 MiB of comments.
// The time per key stays the same from 10,000 to 40,000 keys when the reader is linear.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "../ratio_reporter.h"
#include "scene_reader.h"

namespace {

const std::string kPackage = std::string(VANTOREL_SOURCE_DIR) + "/resources/package/";

// A scene file in the temporary folder, removed at the end of the benchmark.
class SceneFile {
 public:
  explicit SceneFile(const std::string& text) {
    std::random_device random;
    path_ = (std::filesystem::temp_directory_path() / ("vantorel-scene-bench-" + std::to_string(random()) + ".ini"))
                .string();
    std::FILE* file = std::fopen(path_.c_str(), "wb");
    if (file) {
      std::fwrite(text.data(), 1, text.size(), file);
      std::fclose(file);
    }
  }
  ~SceneFile() { std::filesystem::remove(path_); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Reads the scene over and over; every scene here must be refused. `keys`: how many lines it
// holds, for the time per line.
void ReadScene(benchmark::State& state, const std::string& text, long keys = 0) {
  const SceneFile scene(text);
  std::string error;
  for (auto _ : state) {
    LoadScreenDocument document;
    document.appDir = kPackage;
    if (LoadScene(scene.path(), document, error)) state.SkipWithError("the scene was taken");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
  if (keys > 0)
    state.counters["per_key"] = benchmark::Counter(static_cast<double>(keys) * static_cast<double>(state.iterations()),
                                                   benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void KeysWithARepeat(benchmark::State& state) {
  std::string text = "[LoadScreen]\n[Markers]\n";
  for (long i = 1; i <= state.range(0); ++i) text += std::to_string(i) + "=sym_star.png,Red,1,2\n";
  ReadScene(state, text + "1=again\n", static_cast<long>(state.range(0)));
}

void SectionsWithARepeat(benchmark::State& state) {
  std::string text = "[LoadScreen]\n";
  for (long i = 1; i <= state.range(0); ++i) text += "[s" + std::to_string(i) + "]\n";
  ReadScene(state, text + "[s1]\n", static_cast<long>(state.range(0)));
}

constexpr std::size_t kLimit = std::size_t{1} << 24;

void SixteenMegabytesOfMarkers(benchmark::State& state) {
  std::string text = "[LoadScreen]\n[Markers]\n";
  long count = 0;
  while (text.size() < kLimit - 40) text += std::to_string(++count) + "=sym_star.png,Red,1,2\n";
  ReadScene(state, text, count);
}

void SixteenMegabytesInOneLine(benchmark::State& state) {
  ReadScene(state, "[LoadScreen]\nScreenshot=" + std::string(kLimit - 40, 'v') + "\nSide=Nobody\n");
}

void SixteenMegabytesOfComments(benchmark::State& state) {
  std::string text = "[LoadScreen]\n";
  while (text.size() < kLimit - 100) text += "; " + std::string(60, 'c') + "\n";
  ReadScene(state, text + "Side=Nobody\n");
}

}  // namespace

BENCHMARK(MemcpyCanvas);
BENCHMARK(KeysWithARepeat)->Arg(10000)->Arg(20000)->Arg(40000)->Unit(benchmark::kMillisecond);
BENCHMARK(SectionsWithARepeat)->Arg(10000)->Arg(20000)->Arg(40000)->Unit(benchmark::kMillisecond);
BENCHMARK(SixteenMegabytesOfMarkers)->Unit(benchmark::kMillisecond);
BENCHMARK(SixteenMegabytesInOneLine)->Unit(benchmark::kMillisecond);
BENCHMARK(SixteenMegabytesOfComments)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) { return RatioReporter::Main(argc, argv, "MemcpyCanvas"); }
