// The palette search's middle steps: Lloyd's k-means iterations, first on free centres,
// then on entries at the levels a PAL file holds.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "best_palette_nearest_two.h"
#include "best_palette_steps.h"
#include "nearest_color.h"

namespace best_palette {
namespace {

constexpr int kFreeIterations = 20;

// The entry nearest to each colour, by plain RGB distance, and the clusters they form.
void Assign(const std::vector<Colour>& colours, const std::vector<PaletteColour>& palette,
            std::vector<std::uint8_t>& nearest, std::vector<Cluster>& clusters) {
  Palette table{};
  std::copy(palette.begin(), palette.end(), table.begin());
  NearestColourMapper mapper(table, static_cast<int>(palette.size()), 0, kPlainWeights);
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
            const std::vector<PaletteColour>& served, int count, std::vector<PaletteColour>& palette) {
  if (static_cast<int>(palette.size()) >= count) return;
  std::vector<std::pair<double, std::size_t>> errors(colours.size());
  for (std::size_t i = 0; i < colours.size(); ++i)
    errors[i] = {-double(colours[i].count) * SquaredDistance(colours[i], served[nearest[i]]), i};
  const std::size_t wanted = std::min(errors.size(), static_cast<std::size_t>(count) * 4);
  std::partial_sort(errors.begin(), errors.begin() + static_cast<std::ptrdiff_t>(wanted), errors.end());
  for (std::size_t k = 0; k < wanted && static_cast<int>(palette.size()) < count; ++k) {
    const PaletteColour c = AtPalLevels(colours[errors[k].second]);
    if (!Contains(palette, c)) palette.push_back(c);
  }
}

constexpr int kPalLevelIterations = 12;

}  // namespace

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

// Lloyd's iterations at PAL levels: each entry goes to the PAL level nearest to the mean
// of its colours, which for those colours is the best an entry at PAL levels can do. Two
// entries that meet keep one of them; the free places go to colours served worst.
void SettleAtPalLevels(const std::vector<Colour>& colours, int count, std::vector<PaletteColour>& palette) {
  std::vector<std::uint8_t> nearest;
  std::vector<Cluster> clusters;
  for (int iteration = 0; iteration < kPalLevelIterations; ++iteration) {
    Assign(colours, palette, nearest, clusters);
    std::vector<PaletteColour> moved;
    for (std::size_t j = 0; j < palette.size(); ++j) {
      if (clusters[j].weight <= 0) continue;
      const PaletteColour c = AtPalLevels(clusters[j].Mean());
      if (!Contains(moved, c)) moved.push_back(c);
    }
    Refill(colours, nearest, palette, count, moved);
    if (moved == palette) break;
    palette.swap(moved);
  }
}

}  // namespace best_palette
