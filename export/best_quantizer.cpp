#include "best_quantizer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <new>
#include <vector>

#include "nearest_color.h"

namespace {

// ---- The picture's colours, grouped by their 6-bit value --------------------------------

struct ColourBin {
  std::uint32_t count;
  std::uint8_t red, green, blue;  // the mean colour of the bin, rounded
};

constexpr int kBinsPerChannel = 64;

bool CollectBins(const Image& image, std::vector<ColourBin>& bins) {
  struct Sums {
    std::uint64_t count, red, green, blue;
  };
  std::unique_ptr<Sums[]> sums(new (std::nothrow) Sums[kBinsPerChannel * kBinsPerChannel * kBinsPerChannel]());
  if (!sums) return false;
  for (int y = 0; y < image.height; ++y) {
    const Pixel* row = image.GetRow(y);
    for (int x = 0; x < image.width; ++x) {
      const unsigned r = RedOf(row[x]), g = GreenOf(row[x]), b = BlueOf(row[x]);
      Sums& s = sums[(r >> 2) << 12 | (g >> 2) << 6 | (b >> 2)];
      ++s.count;
      s.red += r;
      s.green += g;
      s.blue += b;
    }
  }
  try {
    for (int i = 0; i < kBinsPerChannel * kBinsPerChannel * kBinsPerChannel; ++i) {
      const Sums& s = sums[i];
      if (!s.count) continue;
      const auto mean = [&](std::uint64_t sum) { return static_cast<std::uint8_t>((sum + s.count / 2) / s.count); };
      bins.push_back({static_cast<std::uint32_t>(std::min<std::uint64_t>(s.count, UINT32_MAX)), mean(s.red),
                      mean(s.green), mean(s.blue)});
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

// The level a PAL file holds nearest to an 8-bit mean: 4 * round(mean / 4), at most 252.
std::uint8_t PalLevel(double mean) {
  const long level = std::lround(mean / 4.0);
  return static_cast<std::uint8_t>(4 * std::clamp(level, 0L, 63L));
}

// ---- Wu's variance split -----------------------------------------------------------------

constexpr int kSide = 33;  // 32 levels per channel plus the zero plane of the running sums

struct Moments {
  std::vector<double> weight, red, green, blue, square;
  std::size_t At(int r, int g, int b) const { return (static_cast<std::size_t>(r) * kSide + g) * kSide + b; }
};

struct Box {
  int r0, r1, g0, g1, b0, b1;  // exclusive lower, inclusive upper bounds in 1..32
  double variance;
};

enum Axis { kRed, kGreen, kBlue };

// Sum of a moment table over a box, by inclusion-exclusion of the running sums.
double Volume(const Box& c, const std::vector<double>& m, const Moments& at) {
  return m[at.At(c.r1, c.g1, c.b1)] - m[at.At(c.r1, c.g1, c.b0)] - m[at.At(c.r1, c.g0, c.b1)] +
         m[at.At(c.r1, c.g0, c.b0)] - m[at.At(c.r0, c.g1, c.b1)] + m[at.At(c.r0, c.g1, c.b0)] +
         m[at.At(c.r0, c.g0, c.b1)] - m[at.At(c.r0, c.g0, c.b0)];
}

// The part of Volume that depends on the box's lower bound along an axis, and the part at
// a cut position along it (the box's upper bound replaced by `position`).
double Bottom(const Box& c, Axis axis, const std::vector<double>& m, const Moments& at) {
  switch (axis) {
    case kRed:
      return -m[at.At(c.r0, c.g1, c.b1)] + m[at.At(c.r0, c.g1, c.b0)] + m[at.At(c.r0, c.g0, c.b1)] -
             m[at.At(c.r0, c.g0, c.b0)];
    case kGreen:
      return -m[at.At(c.r1, c.g0, c.b1)] + m[at.At(c.r1, c.g0, c.b0)] + m[at.At(c.r0, c.g0, c.b1)] -
             m[at.At(c.r0, c.g0, c.b0)];
    case kBlue:
      return -m[at.At(c.r1, c.g1, c.b0)] + m[at.At(c.r1, c.g0, c.b0)] + m[at.At(c.r0, c.g1, c.b0)] -
             m[at.At(c.r0, c.g0, c.b0)];
  }
  return 0;
}

double Top(const Box& c, Axis axis, int position, const std::vector<double>& m, const Moments& at) {
  switch (axis) {
    case kRed:
      return m[at.At(position, c.g1, c.b1)] - m[at.At(position, c.g1, c.b0)] - m[at.At(position, c.g0, c.b1)] +
             m[at.At(position, c.g0, c.b0)];
    case kGreen:
      return m[at.At(c.r1, position, c.b1)] - m[at.At(c.r1, position, c.b0)] - m[at.At(c.r0, position, c.b1)] +
             m[at.At(c.r0, position, c.b0)];
    case kBlue:
      return m[at.At(c.r1, c.g1, position)] - m[at.At(c.r1, c.g0, position)] - m[at.At(c.r0, c.g1, position)] +
             m[at.At(c.r0, c.g0, position)];
  }
  return 0;
}

double BoxVariance(const Box& c, const Moments& m) {
  const double w = Volume(c, m.weight, m);
  if (w <= 0) return 0;
  const double r = Volume(c, m.red, m), g = Volume(c, m.green, m), b = Volume(c, m.blue, m);
  return Volume(c, m.square, m) - (r * r + g * g + b * b) / w;
}

// The cut along `axis` that leaves the two halves with the largest sum of squared means
// weighted by their sizes (the smallest remaining variance); -1 when no cut splits it.
double BestCut(const Box& c, Axis axis, int first, int last, int& cut, const double whole[4], const Moments& m) {
  const double baseR = Bottom(c, axis, m.red, m), baseG = Bottom(c, axis, m.green, m), baseB = Bottom(c, axis, m.blue, m),
               baseW = Bottom(c, axis, m.weight, m);
  double best = 0;
  cut = -1;
  for (int i = first; i < last; ++i) {
    double r = baseR + Top(c, axis, i, m.red, m), g = baseG + Top(c, axis, i, m.green, m),
           b = baseB + Top(c, axis, i, m.blue, m), w = baseW + Top(c, axis, i, m.weight, m);
    if (w <= 0) continue;
    double score = (r * r + g * g + b * b) / w;
    r = whole[0] - r, g = whole[1] - g, b = whole[2] - b, w = whole[3] - w;
    if (w <= 0) continue;
    score += (r * r + g * g + b * b) / w;
    if (score > best) {
      best = score;
      cut = i;
    }
  }
  return best;
}

bool Split(Box& a, Box& b, const Moments& m) {
  const double whole[4] = {Volume(a, m.red, m), Volume(a, m.green, m), Volume(a, m.blue, m), Volume(a, m.weight, m)};
  int cutR, cutG, cutB;
  const double maxR = BestCut(a, kRed, a.r0 + 1, a.r1, cutR, whole, m);
  const double maxG = BestCut(a, kGreen, a.g0 + 1, a.g1, cutG, whole, m);
  const double maxB = BestCut(a, kBlue, a.b0 + 1, a.b1, cutB, whole, m);
  b = a;
  if (maxR >= maxG && maxR >= maxB) {
    if (cutR < 0) return false;
    a.r1 = b.r0 = cutR;
  } else if (maxG >= maxR && maxG >= maxB) {
    a.g1 = b.g0 = cutG;
  } else {
    a.b1 = b.b0 = cutB;
  }
  return true;
}

// Wu's boxes over the bins; each box's mean becomes a first palette colour.
bool WuPalette(const std::vector<ColourBin>& bins, int count, std::vector<PaletteColor>& palette) {
  Moments m;
  const std::size_t size = static_cast<std::size_t>(kSide) * kSide * kSide;
  try {
    for (auto* table : {&m.weight, &m.red, &m.green, &m.blue, &m.square}) table->assign(size, 0.0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  for (const ColourBin& bin : bins) {
    const std::size_t at = m.At((bin.red >> 3) + 1, (bin.green >> 3) + 1, (bin.blue >> 3) + 1);
    const double w = bin.count;
    m.weight[at] += w;
    m.red[at] += w * bin.red;
    m.green[at] += w * bin.green;
    m.blue[at] += w * bin.blue;
    m.square[at] += w * (double(bin.red) * bin.red + double(bin.green) * bin.green + double(bin.blue) * bin.blue);
  }
  // Running sums in all three directions, so any box's total is eight lookups.
  for (auto* table : {&m.weight, &m.red, &m.green, &m.blue, &m.square}) {
    std::vector<double>& t = *table;
    for (int r = 1; r < kSide; ++r)
      for (int g = 1; g < kSide; ++g)
        for (int b = 1; b < kSide; ++b)
          t[m.At(r, g, b)] += t[m.At(r - 1, g, b)] + t[m.At(r, g - 1, b)] + t[m.At(r, g, b - 1)] -
                              t[m.At(r - 1, g - 1, b)] - t[m.At(r - 1, g, b - 1)] - t[m.At(r, g - 1, b - 1)] +
                              t[m.At(r - 1, g - 1, b - 1)];
  }
  std::vector<Box> boxes{{0, kSide - 1, 0, kSide - 1, 0, kSide - 1, 0}};
  boxes[0].variance = BoxVariance(boxes[0], m);
  while (static_cast<int>(boxes.size()) < count) {
    // Split the box with the largest variance; boxes that cannot be split drop out.
    auto widest = std::max_element(boxes.begin(), boxes.end(),
                                   [](const Box& a, const Box& b) { return a.variance < b.variance; });
    if (widest->variance <= 0) break;
    Box other;
    if (!Split(*widest, other, m)) {
      widest->variance = 0;
      continue;
    }
    widest->variance = BoxVariance(*widest, m);
    other.variance = BoxVariance(other, m);
    boxes.push_back(other);
  }
  for (const Box& box : boxes) {
    const double w = Volume(box, m.weight, m);
    if (w <= 0) continue;
    palette.push_back({PalLevel(Volume(box, m.red, m) / w), PalLevel(Volume(box, m.green, m) / w),
                       PalLevel(Volume(box, m.blue, m) / w)});
  }
  return true;
}

// ---- k-means refinement --------------------------------------------------------------------

int SquaredDistance(const ColourBin& bin, const PaletteColor& c) {
  const int dr = bin.red - c.red, dg = bin.green - c.green, db = bin.blue - c.blue;
  return dr * dr + dg * dg + db * db;
}

// Removes entries that repeat an earlier one (rounding can make two alike).
void RemoveRepeats(std::vector<PaletteColor>& palette) {
  std::vector<PaletteColor> kept;
  for (const PaletteColor& c : palette)
    if (std::find(kept.begin(), kept.end(), c) == kept.end()) kept.push_back(c);
  palette.swap(kept);
}

constexpr int kMaxIterations = 12;

bool Refine(const std::vector<ColourBin>& bins, int count, std::vector<PaletteColor>& palette) {
  struct Sum {
    double weight = 0, red = 0, green = 0, blue = 0;
  };
  std::vector<std::uint8_t> assigned(bins.size());
  std::vector<double> error(bins.size());
  for (int iteration = 0; iteration < kMaxIterations; ++iteration) {
    RemoveRepeats(palette);
    // Fill free entries with the colours that are worst served so far.
    if (static_cast<int>(palette.size()) < count && iteration > 0) {
      std::vector<std::size_t> order(bins.size());
      for (std::size_t i = 0; i < bins.size(); ++i) order[i] = i;
      const std::size_t wanted = std::min(order.size(), static_cast<std::size_t>(count) * 4);
      std::partial_sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(wanted), order.end(),
                        [&](std::size_t a, std::size_t b) { return error[a] > error[b]; });
      for (std::size_t k = 0; k < wanted && static_cast<int>(palette.size()) < count; ++k) {
        const ColourBin& bin = bins[order[k]];
        const PaletteColor c{PalLevel(bin.red), PalLevel(bin.green), PalLevel(bin.blue)};
        if (std::find(palette.begin(), palette.end(), c) == palette.end()) palette.push_back(c);
      }
    }
    Palette table{};
    std::copy(palette.begin(), palette.end(), table.begin());
    const int size = static_cast<int>(palette.size());
    NearestColorMapper mapper(table, size, 0, kPlainWeights);
    std::vector<Sum> sums(palette.size());
    bool changed = iteration == 0;
    for (std::size_t i = 0; i < bins.size(); ++i) {
      const ColourBin& bin = bins[i];
      const std::uint8_t index = mapper.Search(bin.red, bin.green, bin.blue);
      changed = changed || index != assigned[i];
      assigned[i] = index;
      error[i] = double(bin.count) * SquaredDistance(bin, table[index]);
      Sum& s = sums[index];
      s.weight += bin.count;
      s.red += double(bin.count) * bin.red;
      s.green += double(bin.count) * bin.green;
      s.blue += double(bin.count) * bin.blue;
    }
    if (!changed && size >= count) break;
    std::vector<PaletteColor> moved;
    for (int i = 0; i < size; ++i) {
      if (sums[i].weight <= 0) continue;  // unused: its place is refilled next round
      const Sum& s = sums[i];
      moved.push_back({PalLevel(s.red / s.weight), PalLevel(s.green / s.weight), PalLevel(s.blue / s.weight)});
    }
    if (moved == palette && size >= count) break;
    palette.swap(moved);
  }
  RemoveRepeats(palette);
  return true;
}

}  // namespace

int BuildBestPalette(const Image& image, int count, PaletteColor* out) {
  count = std::clamp(count, 1, kPaletteSize);
  if (!image.valid || image.width < 1 || image.height < 1) return 0;
  try {
    std::vector<ColourBin> bins;
    if (!CollectBins(image, bins)) return -1;
    std::vector<PaletteColor> palette;
    if (static_cast<int>(bins.size()) <= count) {
      for (const ColourBin& bin : bins) palette.push_back({PalLevel(bin.red), PalLevel(bin.green), PalLevel(bin.blue)});
      RemoveRepeats(palette);
    } else {
      if (!WuPalette(bins, count, palette)) return -1;
      if (!Refine(bins, count, palette)) return -1;
    }
    std::copy(palette.begin(), palette.end(), out);
    return static_cast<int>(palette.size());
  } catch (const std::bad_alloc&) {
    return -1;
  }
}
