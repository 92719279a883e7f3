// The palette search's first centres: Xiaolin Wu's greedy variance split on a 32-level
// histogram of the picture's colours.

#include <algorithm>
#include <new>
#include <vector>

#include "best_palette_steps.h"

namespace best_palette {
namespace {

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
  const double baseR = Bottom(c, axis, m.red, m), baseG = Bottom(c, axis, m.green, m),
               baseB = Bottom(c, axis, m.blue, m), baseW = Bottom(c, axis, m.weight, m);
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

}  // namespace

bool WuCentres(const std::vector<Colour>& colours, int count, std::vector<Centre>& centres) {
  Moments m;
  const std::size_t size = static_cast<std::size_t>(kSide) * kSide * kSide;
  try {
    for (auto* table : {&m.weight, &m.red, &m.green, &m.blue, &m.square}) table->assign(size, 0.0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  for (const Colour& c : colours) {
    const std::size_t at = m.At((c.red >> 3) + 1, (c.green >> 3) + 1, (c.blue >> 3) + 1);
    const double w = c.count;
    m.weight[at] += w;
    m.red[at] += w * c.red;
    m.green[at] += w * c.green;
    m.blue[at] += w * c.blue;
    m.square[at] += w * (double(c.red) * c.red + double(c.green) * c.green + double(c.blue) * c.blue);
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
    if (w > 0) centres.push_back({Volume(box, m.red, m) / w, Volume(box, m.green, m) / w, Volume(box, m.blue, m) / w});
  }
  return true;
}

}  // namespace best_palette
