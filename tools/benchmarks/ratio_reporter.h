// A console reporter that also prints every benchmark's time as a multiple of a baseline
// benchmark of the same run (for example one memcpy of the canvas), so figures from
// different machines compare.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

// The common baseline: one memcpy of an 800 x 520 canvas of 32-bit pixels (1.6 MB).
inline void MemcpyCanvas(benchmark::State& state) {
  std::vector<std::uint32_t> from(800 * 520, 1), to(800 * 520);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size() * sizeof(std::uint32_t));
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
}

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  explicit RatioReporter(std::string baseline) : baseline_(std::move(baseline)) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration) {
        order_.push_back(run.benchmark_name());
        nanoseconds_[run.benchmark_name()] = run.GetAdjustedRealTime() * Multiplier(run.time_unit);
      }
    ConsoleReporter::ReportRuns(runs);
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    const auto base = nanoseconds_.find(baseline_);
    if (base == nanoseconds_.end() || base->second <= 0) return;
    std::printf("\n%-44s %12s %10s\n", "benchmark", "time (us)", ("x " + baseline_).c_str());
    for (const std::string& name : order_)
      std::printf("%-44s %12.1f %10.2f\n", name.c_str(), nanoseconds_[name] / 1000.0,
                  nanoseconds_[name] / base->second);
  }

  // Runs the registered benchmarks with this reporter; call from main.
  static int Main(int argc, char** argv, const char* baseline) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter(baseline);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
  }

 private:
  static double Multiplier(benchmark::TimeUnit unit) {
    switch (unit) {
      case benchmark::kSecond: return 1e9;
      case benchmark::kMillisecond: return 1e6;
      case benchmark::kMicrosecond: return 1e3;
      default: return 1;
    }
  }
  std::string baseline_;
  std::vector<std::string> order_;
  std::map<std::string, double> nanoseconds_;
};
