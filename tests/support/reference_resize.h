// A plain reference for the sRGB resize, written from the definitions rather than from any
// library: each channel decoded to linear light by the sRGB formula, filtered separably with
// the Mitchell-Netravali cubic (B = C = 1/3) stretched by the shrink factor so that it
// covers 2 output pixels each side, pixels beyond the edges repeating the edge pixel, every
// output pixel's weights summing to 1, then clamped and encoded by the formula and rounded.
// In double precision: a library working in float with table lookups may differ from it by
// a unit now and then.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "memory_image.h"

namespace reference {

inline double SrgbToLinear(int value) {
  const double c = value / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

inline int LinearToSrgb(double linear) {
  linear = std::clamp(linear, 0.0, 1.0);
  const double c = linear <= 0.0031308 ? linear * 12.92 : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
  return static_cast<int>(std::lround(c * 255.0));
}

inline double Mitchell(double x) {
  x = std::fabs(x);
  if (x < 1) return (16 + x * x * (21 * x - 36)) / 18;
  if (x < 2) return (32 + x * (-60 + x * (36 - 7 * x))) / 18;
  return 0;
}

// For each output pixel of a row of `in` pixels shrunk to `out`: the input pixels (clamped
// to the row) and their normalised weights.
struct Tap {
  int at;
  double weight;
};
inline std::vector<std::vector<Tap>> Taps(int in, int out) {
  const double scale = static_cast<double>(out) / in;
  std::vector<std::vector<Tap>> taps(out);
  for (int j = 0; j < out; ++j) {
    const double centre = j + 0.5;
    const int first = static_cast<int>(std::floor((centre - 2) / scale - 0.5)) - 1;
    const int last = static_cast<int>(std::ceil((centre + 2) / scale - 0.5)) + 1;
    double sum = 0;
    for (int n = first; n <= last; ++n) {
      const double weight = Mitchell(centre - (n + 0.5) * scale);
      if (weight == 0) continue;
      taps[j].push_back({std::clamp(n, 0, in - 1), weight});
      sum += weight;
    }
    for (Tap& tap : taps[j]) tap.weight /= sum;
  }
  return taps;
}

// `source` shrunk to width x height (both no larger than the source's).
inline MemoryImage ShrinkSrgb(const Image& source, int width, int height) {
  const int w = source.width, h = source.height;
  std::vector<double> linear(static_cast<std::size_t>(w) * h * 3), rows(static_cast<std::size_t>(width) * h * 3);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const Pixel p = source.ReadPixel(x, y);
      double* to = &linear[(static_cast<std::size_t>(y) * w + x) * 3];
      to[0] = SrgbToLinear(RedOf(p));
      to[1] = SrgbToLinear(GreenOf(p));
      to[2] = SrgbToLinear(BlueOf(p));
    }
  const auto across = Taps(w, width), down = Taps(h, height);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < width; ++x)
      for (int c = 0; c < 3; ++c) {
        double sum = 0;
        for (const Tap& tap : across[x]) sum += tap.weight * linear[(static_cast<std::size_t>(y) * w + tap.at) * 3 + c];
        rows[(static_cast<std::size_t>(y) * width + x) * 3 + c] = sum;
      }
  MemoryImage result;
  result.Create(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      int channel[3];
      for (int c = 0; c < 3; ++c) {
        double sum = 0;
        for (const Tap& tap : down[y]) sum += tap.weight * rows[(static_cast<std::size_t>(tap.at) * width + x) * 3 + c];
        channel[c] = LinearToSrgb(sum);
      }
      result.WritePixel(x, y, MakePixel(channel[0], channel[1], channel[2]));
    }
  return result;
}

}  // namespace reference
