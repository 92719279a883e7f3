// Decoding the template package's PNG files: stb_image (into its own RGBA buffer, then
// converted, as the image library once did) beside libspng writing straight into the rows
// of a reused image, and libspng stopping after the first third of the rows.
#include <stb/stb_image.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "../ratio_reporter.h"
#include "image_decoder.h"
#include "memory_image.h"
#include "spng_rows.h"

namespace {

const std::vector<std::uint8_t>& FileBytes(const char* name) {
  static std::vector<std::vector<std::uint8_t>> files;
  static std::vector<std::string> names;
  for (std::size_t i = 0; i < names.size(); ++i)
    if (names[i] == name) return files[i];
  std::ifstream in(std::string(VANTOREL_SOURCE_DIR) + "/resources/package/Templates/" + name, std::ios::binary);
  names.push_back(name);
  files.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return files.back();
}

void DecodeStb(benchmark::State& state, const char* name) {
  const auto& bytes = FileBytes(name);
  for (auto _ : state) {
    int w = 0, h = 0, n = 0;
    unsigned char* rgba = stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &w, &h, &n, 4);
    std::vector<Pixel> pixels(static_cast<std::size_t>(w) * h);
    for (std::size_t i = 0; i < pixels.size(); ++i)
      pixels[i] = MakePixel(rgba[4 * i], rgba[4 * i + 1], rgba[4 * i + 2]);
    stbi_image_free(rgba);
    benchmark::DoNotOptimize(pixels.data());
  }
}

void DecodeFast(benchmark::State& state, const char* name, int part) {
  const auto& bytes = FileBytes(name);
  ImageHeader header;
  std::string reason;
  CheckImageBytes(bytes.data(), bytes.size(), header, reason);
  MemoryImage image;
  image.Create(header.width, header.height);
  for (auto _ : state) {
    DecodePngRows(
        bytes.data(), bytes.size(), header.height / part, [&](int y) { return image.GetRow(y); }, reason);
    benchmark::DoNotOptimize(image.GetRow(0));
  }
}

BENCHMARK(MemcpyCanvas);
BENCHMARK_CAPTURE(DecodeStb, worldmap2x, "com_worldmap2x.png")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DecodeFast, worldmap2x, "com_worldmap2x.png", 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DecodeFast, worldmap2x_third, "com_worldmap2x.png", 3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DecodeStb, worldmap, "all_worldmap.png")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DecodeFast, worldmap, "all_worldmap.png", 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DecodeStb, frame, "all_2icomain.png")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DecodeFast, frame, "all_2icomain.png", 1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RatioReporter::Main(argc, argv, "MemcpyCanvas"); }
