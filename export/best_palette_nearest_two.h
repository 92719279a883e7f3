// A colour's nearest two palette entries, measured four entries at a time: shared by the
// free k-means and the entry moves of the palette search.
#pragma once

#include <cmath>

#include "best_palette_steps.h"

namespace best_palette {

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

}  // namespace best_palette
