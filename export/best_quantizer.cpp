#include "best_quantizer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>
#include <numeric>
#include <vector>

#include "nearest_color.h"

namespace {

// ---- The picture's colours -----------------------------------------------------------------

// A colour of the picture and how many pixels have it; for a picture of very many colours,
// the mean of the colours in one cell of 4 x 4 x 4 levels.
struct Colour {
  std::uint32_t count;
  std::uint8_t red, green, blue;
};

// Beyond this many distinct colours the cells stand in for them: every round of the search
// visits every colour, and the cells keep nearly all of the quality.
constexpr std::size_t kMaxColours = std::size_t{1} << 16;

// Sorts runs of one colour (the colour in bits 32..55, the pixel count below) by colour, a
// byte of it per pass.
void SortRuns(std::vector<std::uint64_t>& runs) {
  std::vector<std::uint64_t> spare(runs.size());
  for (int shift : {32, 40, 48}) {
    std::size_t starts[257] = {};
    for (std::uint64_t run : runs) ++starts[(run >> shift & 0xFF) + 1];
    std::partial_sum(starts, starts + 257, starts);
    for (std::uint64_t run : runs) spare[starts[run >> shift & 0xFF]++] = run;
    runs.swap(spare);
  }
}

std::uint32_t CellOf(const Colour& c) { return (c.red >> 2) << 12 | (c.green >> 2) << 6 | (c.blue >> 2); }

bool CollectColours(const Image& image, std::vector<Colour>& colours) {
  try {
    // Runs of one colour along the rows first: a load screen has long ones.
    std::vector<std::uint64_t> runs;
    for (int y = 0; y < image.height; ++y) {
      const Pixel* row = image.GetRow(y);
      for (int x = 0, end; x < image.width; x = end) {
        const Pixel colour = row[x] & 0xFFFFFF;
        for (end = x + 1; end < image.width && (row[end] & 0xFFFFFF) == colour;) ++end;
        runs.push_back(std::uint64_t{colour} << 32 | static_cast<std::uint32_t>(end - x));
      }
    }
    SortRuns(runs);
    for (std::size_t i = 0, j; i < runs.size(); i = j) {
      const std::uint32_t colour = static_cast<std::uint32_t>(runs[i] >> 32);
      std::uint64_t count = 0;
      for (j = i; j < runs.size() && static_cast<std::uint32_t>(runs[j] >> 32) == colour; ++j) count += runs[j] & 0xFFFFFFFF;
      colours.push_back({static_cast<std::uint32_t>(std::min<std::uint64_t>(count, UINT32_MAX)),
                         static_cast<std::uint8_t>(colour >> 16), static_cast<std::uint8_t>(colour >> 8),
                         static_cast<std::uint8_t>(colour)});
    }
    if (colours.size() <= kMaxColours) return true;
    // Grouped by cell: the colours are in order of red, then green, then blue, so a stable
    // sort by the cell's blue, green and red bits in turn gathers each cell.
    std::vector<Colour> spare(colours.size());
    for (int shift : {0, 6, 12}) {
      std::size_t starts[65] = {};
      for (const Colour& c : colours) ++starts[(CellOf(c) >> shift & 0x3F) + 1];
      std::partial_sum(starts, starts + 65, starts);
      for (const Colour& c : colours) spare[starts[CellOf(c) >> shift & 0x3F]++] = c;
      colours.swap(spare);
    }
    std::vector<Colour> cells;
    for (std::size_t i = 0, j; i < colours.size(); i = j) {
      std::uint64_t count = 0, red = 0, green = 0, blue = 0;
      for (j = i; j < colours.size() && CellOf(colours[j]) == CellOf(colours[i]); ++j) {
        count += colours[j].count;
        red += std::uint64_t{colours[j].count} * colours[j].red;
        green += std::uint64_t{colours[j].count} * colours[j].green;
        blue += std::uint64_t{colours[j].count} * colours[j].blue;
      }
      const auto mean = [&](std::uint64_t sum) { return static_cast<std::uint8_t>((sum + count / 2) / count); };
      cells.push_back({static_cast<std::uint32_t>(std::min<std::uint64_t>(count, UINT32_MAX)), mean(red), mean(green),
                       mean(blue)});
    }
    colours.swap(cells);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

// A palette entry while it is being found: the mean of its colours, not yet at a PAL level.
struct Centre {
  double red, green, blue;
};

// The level a PAL file holds nearest to an 8-bit value: 4 * round(value / 4), at most 252.
std::uint8_t PalLevel(double value) {
  const long level = std::lround(value / 4.0);
  return static_cast<std::uint8_t>(4 * std::clamp(level, 0L, 63L));
}

PaletteColor AtPalLevels(const Centre& c) { return {PalLevel(c.red), PalLevel(c.green), PalLevel(c.blue)}; }
PaletteColor AtPalLevels(const Colour& c) { return {PalLevel(c.red), PalLevel(c.green), PalLevel(c.blue)}; }

int SquaredDistance(const Colour& a, const PaletteColor& b) {
  const int dr = a.red - b.red, dg = a.green - b.green, db = a.blue - b.blue;
  return dr * dr + dg * dg + db * db;
}

bool Contains(const std::vector<PaletteColor>& palette, const PaletteColor& c) {
  return std::find(palette.begin(), palette.end(), c) != palette.end();
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

// Wu's boxes over the colours; the mean of each is a first centre.
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

// ---- Nearest two entries -----------------------------------------------------------------

// Four floats or ints in one register (the compilers' vector extension).
using Floats = float __attribute__((vector_size(16)));
using Ints = int __attribute__((vector_size(16)));

// A colour's nearest entry and the next one, with their squared distances. Squared
// distances of levels (whole or not) stay far below 2^24, where floats are exact enough.
struct NearestTwo {
  int entry, nextEntry;
  float distance, nextDistance;

  // Takes entry j at squared distance d into account.
  void Offer(int j, float d) {
    if (j == entry || j == nextEntry) return;
    if (d < distance) {
      nextEntry = entry;
      nextDistance = distance;
      entry = j;
      distance = d;
    } else if (d < nextDistance) {
      nextEntry = j;
      nextDistance = d;
    }
  }
};

// Entries as four-wide groups of each channel, padded with places far from any colour, so
// that measuring every entry runs four at a time.
class EntryGroups {
 public:
  template <typename Entry>
  explicit EntryGroups(const std::vector<Entry>& entries) : groups_((static_cast<int>(entries.size()) + 3) / 4) {
    for (int j = 0; j < groups_ * 4; ++j) {
      const bool real = j < static_cast<int>(entries.size());
      red_[j / 4][j % 4] = real ? static_cast<float>(entries[j].red) : kFar;
      green_[j / 4][j % 4] = real ? static_cast<float>(entries[j].green) : kFar;
      blue_[j / 4][j % 4] = real ? static_cast<float>(entries[j].blue) : kFar;
    }
  }

  NearestTwo Measure(const Colour& c) const {
    const Floats r = Floats{} + c.red, g = Floats{} + c.green, b = Floats{} + c.blue;
    Floats low = Floats{} + kFarther, next = low;
    Ints at = {0, 1, 2, 3}, nextAt = at, index = at;
    for (int j = 0; j < groups_; ++j, index += 4) {
      const Floats dr = red_[j] - r, dg = green_[j] - g, db = blue_[j] - b;
      const Floats d = dr * dr + dg * dg + db * db;
      const Ints lower = d < low, second = d < next;
      nextAt = lower ? at : (second ? index : nextAt);
      next = lower ? low : (second ? d : next);
      at = lower ? index : at;
      low = lower ? d : low;
    }
    // Each lane kept its own nearest two; together they give the nearest two of all.
    NearestTwo best{at[0], nextAt[0], low[0], next[0]};
    for (int l = 1; l < 4; ++l) {
      best.Offer(at[l], low[l]);
      best.Offer(nextAt[l], next[l]);
    }
    return best;
  }

 private:
  static constexpr float kFar = 1e6f, kFarther = 4 * kFar * kFar;
  int groups_;
  Floats red_[kPaletteSize / 4], green_[kPaletteSize / 4], blue_[kPaletteSize / 4];
};

// Per entry: the weight and the sums of the colours nearest to it.
struct Cluster {
  double weight = 0, red = 0, green = 0, blue = 0;
  void Add(const Colour& c) {
    weight += c.count;
    red += double(c.count) * c.red;
    green += double(c.count) * c.green;
    blue += double(c.count) * c.blue;
  }
  Centre Mean() const { return {red / weight, green / weight, blue / weight}; }
};

// ---- k-means, first free, then at PAL levels ---------------------------------------------

constexpr int kFreeIterations = 20;

// Lloyd's iterations on free centres (each moved to the mean of its colours): they settle
// where the picture's colours gather, which rounding to PAL levels at every step hinders.
// Hamerly's bounds spare most of the measuring: a colour whose distance to its centre (an
// upper bound, grown by how far that centre moved) stays below its distance to any other
// centre (a lower bound, shrunk by how far any other moved) keeps its centre unmeasured.
void SettleFreely(const std::vector<Colour>& colours, std::vector<Centre>& centres) {
  const std::size_t n = colours.size(), k = centres.size();
  if (k < 2) return;
  std::vector<int> entry(n);
  std::vector<float> upper(n), lower(n);
  {
    const EntryGroups groups(centres);
    for (std::size_t i = 0; i < n; ++i) {
      const NearestTwo m = groups.Measure(colours[i]);
      entry[i] = m.entry;
      upper[i] = std::sqrt(m.distance);
      lower[i] = std::sqrt(m.nextDistance);
    }
  }
  std::vector<Cluster> clusters(k);
  std::vector<float> shift(k);
  for (int iteration = 0; iteration < kFreeIterations; ++iteration) {
    std::fill(clusters.begin(), clusters.end(), Cluster{});
    for (std::size_t i = 0; i < n; ++i) clusters[static_cast<std::size_t>(entry[i])].Add(colours[i]);
    std::size_t farthest = 0;
    for (std::size_t j = 0; j < k; ++j) {
      shift[j] = 0;
      if (clusters[j].weight <= 0) continue;
      const Centre moved = clusters[j].Mean();
      shift[j] = static_cast<float>(std::sqrt((moved.red - centres[j].red) * (moved.red - centres[j].red) +
                                              (moved.green - centres[j].green) * (moved.green - centres[j].green) +
                                              (moved.blue - centres[j].blue) * (moved.blue - centres[j].blue)));
      centres[j] = moved;
      if (shift[j] > shift[farthest]) farthest = j;
    }
    float nextFarthest = 0;
    for (std::size_t j = 0; j < k; ++j)
      if (j != farthest) nextFarthest = std::max(nextFarthest, shift[j]);
    const EntryGroups groups(centres);
    std::size_t changed = 0;
    for (std::size_t i = 0; i < n; ++i) {
      const std::size_t own = static_cast<std::size_t>(entry[i]);
      upper[i] += shift[own];
      lower[i] -= own == farthest ? nextFarthest : shift[farthest];
      if (upper[i] <= lower[i]) continue;
      const NearestTwo m = groups.Measure(colours[i]);
      changed += m.entry != entry[i];
      entry[i] = m.entry;
      upper[i] = std::sqrt(m.distance);
      lower[i] = std::sqrt(m.nextDistance);
    }
    if (changed == 0) break;
  }
}

// The entry nearest to each colour, by plain RGB distance, and the clusters they form.
void Assign(const std::vector<Colour>& colours, const std::vector<PaletteColor>& palette,
            std::vector<std::uint8_t>& nearest, std::vector<Cluster>& clusters) {
  Palette table{};
  std::copy(palette.begin(), palette.end(), table.begin());
  NearestColorMapper mapper(table, static_cast<int>(palette.size()), 0, kPlainWeights);
  clusters.assign(palette.size(), Cluster{});
  nearest.resize(colours.size());
  for (std::size_t i = 0; i < colours.size(); ++i) {
    const Colour& c = colours[i];
    nearest[i] = mapper.Search(c.red, c.green, c.blue);
    clusters[nearest[i]].Add(c);
  }
}

// Adds entries up to `count` at the PAL levels of the colours served worst (by their
// weighted squared distance to their entry), skipping levels the palette holds already.
void Refill(const std::vector<Colour>& colours, const std::vector<std::uint8_t>& nearest,
            const std::vector<PaletteColor>& served, int count, std::vector<PaletteColor>& palette) {
  if (static_cast<int>(palette.size()) >= count) return;
  std::vector<std::pair<double, std::size_t>> errors(colours.size());
  for (std::size_t i = 0; i < colours.size(); ++i)
    errors[i] = {-double(colours[i].count) * SquaredDistance(colours[i], served[nearest[i]]), i};
  const std::size_t wanted = std::min(errors.size(), static_cast<std::size_t>(count) * 4);
  std::partial_sort(errors.begin(), errors.begin() + static_cast<std::ptrdiff_t>(wanted), errors.end());
  for (std::size_t k = 0; k < wanted && static_cast<int>(palette.size()) < count; ++k) {
    const PaletteColor c = AtPalLevels(colours[errors[k].second]);
    if (!Contains(palette, c)) palette.push_back(c);
  }
}

constexpr int kPalLevelIterations = 12;

// Lloyd's iterations at PAL levels: each entry goes to the PAL level nearest to the mean
// of its colours, which for those colours is the best an entry at PAL levels can do. Two
// entries that meet keep one of them; the free places go to colours served worst.
void SettleAtPalLevels(const std::vector<Colour>& colours, int count, std::vector<PaletteColor>& palette) {
  std::vector<std::uint8_t> nearest;
  std::vector<Cluster> clusters;
  for (int iteration = 0; iteration < kPalLevelIterations; ++iteration) {
    Assign(colours, palette, nearest, clusters);
    std::vector<PaletteColor> moved;
    for (std::size_t j = 0; j < palette.size(); ++j) {
      if (clusters[j].weight <= 0) continue;
      const PaletteColor c = AtPalLevels(clusters[j].Mean());
      if (!Contains(moved, c)) moved.push_back(c);
    }
    Refill(colours, nearest, palette, count, moved);
    if (moved == palette) break;
    palette.swap(moved);
  }
}

// ---- Moving entries far --------------------------------------------------------------------

constexpr int kMoveRounds = 12;
constexpr int kMovePlaces = 32;
constexpr int kMovesPerRound = 4;
constexpr int kPolishSteps = 2;

// After the entries at `changed` moved: a colour whose two nearest entries stayed put only
// needs the moved ones measured; the others are measured anew.
void Remeasure(const std::vector<Colour>& colours, const std::vector<PaletteColor>& palette,
               const std::vector<int>& changed, std::vector<NearestTwo>& nearest) {
  if (changed.empty()) return;
  std::vector<bool> moved(palette.size(), false);
  for (int j : changed) moved[static_cast<std::size_t>(j)] = true;
  const EntryGroups groups(palette);
  for (std::size_t i = 0; i < colours.size(); ++i) {
    NearestTwo& m = nearest[i];
    if (moved[static_cast<std::size_t>(m.entry)] || moved[static_cast<std::size_t>(m.nextEntry)]) {
      m = groups.Measure(colours[i]);
      continue;
    }
    for (int j : changed)
      m.Offer(j, static_cast<float>(SquaredDistance(colours[i], palette[static_cast<std::size_t>(j)])));
  }
}

double TotalError(const std::vector<Colour>& colours, const std::vector<NearestTwo>& nearest) {
  double total = 0;
  for (std::size_t i = 0; i < colours.size(); ++i) total += double(colours[i].count) * nearest[i].distance;
  return total;
}

// Lloyd's step at PAL levels that keeps every entry's index: an entry moves to the PAL
// level of its colours' mean unless another entry stands there. Returns the entries moved.
std::vector<int> Polish(const std::vector<Colour>& colours, const std::vector<NearestTwo>& nearest,
                        std::vector<PaletteColor>& palette) {
  std::vector<Cluster> clusters(palette.size());
  for (std::size_t i = 0; i < colours.size(); ++i) clusters[static_cast<std::size_t>(nearest[i].entry)].Add(colours[i]);
  std::vector<int> moved;
  for (std::size_t j = 0; j < palette.size(); ++j) {
    if (clusters[j].weight <= 0) continue;
    const PaletteColor c = AtPalLevels(clusters[j].Mean());
    if (c == palette[j] || Contains(palette, c)) continue;
    palette[j] = c;
    moved.push_back(static_cast<int>(j));
  }
  return moved;
}

// Lloyd's iterations stop where no entry gains by moving to its own colours' mean; an entry
// may still serve the picture better far away. Each round weighs moving any entry to any of
// the PAL levels of the colours served worst, counting every colour that then changes
// entry, makes the best few of those moves (each entry once) and polishes the palette; a
// round that does not lower the total error is undone, and the search ends there.
void MoveEntries(const std::vector<Colour>& colours, std::vector<PaletteColor>& palette) {
  const std::size_t n = colours.size();
  if (palette.size() < 2) return;
  std::vector<NearestTwo> nearest(n);
  {
    const EntryGroups groups(palette);
    for (std::size_t i = 0; i < n; ++i) nearest[i] = groups.Measure(colours[i]);
  }
  double error = TotalError(colours, nearest);
  for (int round = 0; round < kMoveRounds; ++round) {
    const std::size_t k = palette.size();
    // Places: the PAL levels of the colours served worst.
    std::vector<std::pair<float, std::size_t>> worst(n);
    for (std::size_t i = 0; i < n; ++i) worst[i] = {-static_cast<float>(colours[i].count) * nearest[i].distance, i};
    const std::size_t looked = std::min(n, static_cast<std::size_t>(kMovePlaces) * 4);
    std::partial_sort(worst.begin(), worst.begin() + static_cast<std::ptrdiff_t>(looked), worst.end());
    std::vector<PaletteColor> places;
    for (std::size_t e = 0; e < looked && static_cast<int>(places.size()) < kMovePlaces; ++e) {
      const PaletteColor c = AtPalLevels(colours[worst[e].second]);
      if (!Contains(places, c) && !Contains(palette, c)) places.push_back(c);
    }
    // Moving entry j to place q changes the error by what q gains on every colour nearer
    // to it than to its entry, plus what the colours of j lose: they go to q or to their
    // next entry, whichever is nearer.
    struct Move {
      double change;
      int entry;
      PaletteColor place;
    };
    std::vector<Move> moves;
    std::vector<double> loss(k);
    for (const PaletteColor& q : places) {
      double gain = 0;
      std::fill(loss.begin(), loss.end(), 0.0);
      for (std::size_t i = 0; i < n; ++i) {
        const NearestTwo& m = nearest[i];
        const float w = static_cast<float>(colours[i].count);
        const float d = static_cast<float>(SquaredDistance(colours[i], q));
        const float nearer = std::min(0.0f, d - m.distance);
        gain += w * nearer;
        loss[static_cast<std::size_t>(m.entry)] += w * (std::min(m.nextDistance, d) - m.distance - nearer);
      }
      const auto cheapest = std::min_element(loss.begin(), loss.end());
      if (gain + *cheapest < 0) moves.push_back({gain + *cheapest, static_cast<int>(cheapest - loss.begin()), q});
    }
    if (moves.empty()) break;
    std::sort(moves.begin(), moves.end(), [](const Move& a, const Move& b) { return a.change < b.change; });
    const std::vector<PaletteColor> before = palette;
    const std::vector<NearestTwo> measured = nearest;
    std::vector<int> changed;
    for (const Move& move : moves) {
      if (static_cast<int>(changed.size()) == kMovesPerRound) break;
      if (std::find(changed.begin(), changed.end(), move.entry) != changed.end()) continue;
      palette[static_cast<std::size_t>(move.entry)] = move.place;
      changed.push_back(move.entry);
    }
    Remeasure(colours, palette, changed, nearest);
    for (int step = 0; step < kPolishSteps; ++step) Remeasure(colours, palette, Polish(colours, nearest, palette), nearest);
    const double now = TotalError(colours, nearest);
    if (now >= error) {
      palette = before;
      nearest = measured;
      break;
    }
    error = now;
  }
}

}  // namespace

int BuildBestPalette(const Image& image, int count, PaletteColor* out) {
  count = std::clamp(count, 1, kPaletteSize);
  if (!image.valid || image.width < 1 || image.height < 1) return 0;
  try {
    std::vector<Colour> colours;
    if (!CollectColours(image, colours)) return -1;
    std::vector<PaletteColor> palette;
    for (std::size_t i = 0; i < colours.size() && static_cast<int>(palette.size()) <= count; ++i)
      if (!Contains(palette, AtPalLevels(colours[i]))) palette.push_back(AtPalLevels(colours[i]));
    if (static_cast<int>(palette.size()) > count) {
      // More PAL levels in use than entries: the search.
      std::vector<Centre> centres;
      if (!WuCentres(colours, count, centres)) return -1;
      SettleFreely(colours, centres);
      palette.clear();
      for (const Centre& c : centres)
        if (!Contains(palette, AtPalLevels(c))) palette.push_back(AtPalLevels(c));
      SettleAtPalLevels(colours, count, palette);
      MoveEntries(colours, palette);
    }
    std::copy(palette.begin(), palette.end(), out);
    return static_cast<int>(palette.size());
  } catch (const std::bad_alloc&) {
    return -1;
  }
}
