// The palette search's last step: single entries moved to far places where that lowers
// the picture's total error.

#include <algorithm>
#include <vector>

#include "best_palette_nearest_two.h"
#include "best_palette_steps.h"

namespace best_palette {
namespace {

constexpr int kMoveRounds = 12;
constexpr int kMovePlaces = 32;
constexpr int kMovesPerRound = 4;
constexpr int kPolishSteps = 2;

// After the entries at `changed` moved: a colour whose two nearest entries stayed put only
// needs the moved ones measured; the others are measured anew.
void Remeasure(const std::vector<Colour>& colours, const std::vector<PaletteColour>& palette,
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
                        std::vector<PaletteColour>& palette) {
  std::vector<Cluster> clusters(palette.size());
  for (std::size_t i = 0; i < colours.size(); ++i) clusters[static_cast<std::size_t>(nearest[i].entry)].Add(colours[i]);
  std::vector<int> moved;
  for (std::size_t j = 0; j < palette.size(); ++j) {
    if (clusters[j].weight <= 0) continue;
    const PaletteColour c = AtPalLevels(clusters[j].Mean());
    if (c == palette[j] || Contains(palette, c)) continue;
    palette[j] = c;
    moved.push_back(static_cast<int>(j));
  }
  return moved;
}

}  // namespace

// Lloyd's iterations stop where no entry gains by moving to its own colours' mean; an entry
// may still serve the picture better far away. Each round weighs moving any entry to any of
// the PAL levels of the colours served worst, counting every colour that then changes
// entry, makes the best few of those moves (each entry once) and polishes the palette; a
// round that does not lower the total error is undone, and the search ends there.
void MoveEntries(const std::vector<Colour>& colours, std::vector<PaletteColour>& palette) {
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
    std::vector<PaletteColour> places;
    for (std::size_t e = 0; e < looked && static_cast<int>(places.size()) < kMovePlaces; ++e) {
      const PaletteColour c = AtPalLevels(colours[worst[e].second]);
      if (!Contains(places, c) && !Contains(palette, c)) places.push_back(c);
    }
    // Moving entry j to place q changes the error by what q gains on every colour nearer
    // to it than to its entry, plus what the colours of j lose: they go to q or to their
    // next entry, whichever is nearer.
    struct Move {
      double change;
      int entry;
      PaletteColour place;
    };
    std::vector<Move> moves;
    std::vector<double> loss(k);
    for (const PaletteColour& q : places) {
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
    const std::vector<PaletteColour> before = palette;
    const std::vector<NearestTwo> measured = nearest;
    std::vector<int> changed;
    for (const Move& move : moves) {
      if (static_cast<int>(changed.size()) == kMovesPerRound) break;
      if (std::find(changed.begin(), changed.end(), move.entry) != changed.end()) continue;
      palette[static_cast<std::size_t>(move.entry)] = move.place;
      changed.push_back(move.entry);
    }
    Remeasure(colours, palette, changed, nearest);
    for (int step = 0; step < kPolishSteps; ++step)
      Remeasure(colours, palette, Polish(colours, nearest, palette), nearest);
    const double now = TotalError(colours, nearest);
    if (now >= error) {
      palette = before;
      nearest = measured;
      break;
    }
    error = now;
  }
}

}  // namespace best_palette
