// Fill, Paste and PasteKeyed of an 800 x 520 image on both implementations, beside one
// memcpy of the same 1.6 MB.

#include "../ratio_reporter.h"
#include "dib_image.h"
#include "memory_image.h"

namespace {
constexpr int kWidth = 800, kHeight = 520;

MemoryImage Source() {
  MemoryImage image;
  image.Create(kWidth, kHeight);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) image.WritePixel(x, y, (x * 7 + y * 13) % 5 ? 0x00336699u : 0x000000FFu);
  return image;
}

template <typename T>
void Fill(benchmark::State& state) {
  T image;
  image.Create(kWidth, kHeight);
  for (auto _ : state) {
    image.Fill(0x00123456);
    benchmark::ClobberMemory();
  }
}

template <typename T>
void Paste(benchmark::State& state) {
  const MemoryImage source = Source();
  T image;
  image.Create(kWidth, kHeight);
  for (auto _ : state) {
    image.Paste(source, 0, 0);
    benchmark::ClobberMemory();
  }
}

template <typename T>
void PasteKeyed(benchmark::State& state) {
  const MemoryImage source = Source();
  T image;
  image.Create(kWidth, kHeight);
  for (auto _ : state) {
    image.PasteKeyed(source, 0, 0, kTransparentKey);
    benchmark::ClobberMemory();
  }
}
}  // namespace

BENCHMARK(MemcpyCanvas);
BENCHMARK(Fill<MemoryImage>);
BENCHMARK(Fill<DibImage>);
BENCHMARK(Paste<MemoryImage>);
BENCHMARK(Paste<DibImage>);
BENCHMARK(PasteKeyed<MemoryImage>);
BENCHMARK(PasteKeyed<DibImage>);

int main(int argc, char** argv) { return RatioReporter::Main(argc, argv, "MemcpyCanvas"); }
