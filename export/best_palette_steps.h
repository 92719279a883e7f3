// The steps of the high-quality palette search (see best_quantizer.h), one file each: the
// picture's colours, Wu's first centres, Lloyd's iterations, and the moves of single
// entries. Internal to the export library; everything measures by plain RGB distance.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "image.h"
#include "palette.h"

namespace best_palette {

// A colour of the picture and how many pixels have it; for a picture of very many colours,
// the mean of the colours in one cell of 4 x 4 x 4 levels.
struct Colour {
  std::uint32_t count;
  std::uint8_t red, green, blue;
};

// A palette entry while it is being found: the mean of its colours, not yet at a PAL level.
struct Centre {
  double red, green, blue;
};

// The level a PAL file holds nearest to an 8-bit value: 4 * round(value / 4), at most 252.
inline std::uint8_t PalLevel(double value) {
  const long level = std::lround(value / 4.0);
  return static_cast<std::uint8_t>(4 * std::clamp(level, 0L, 63L));
}

inline PaletteColour AtPalLevels(const Centre& c) { return {PalLevel(c.red), PalLevel(c.green), PalLevel(c.blue)}; }
inline PaletteColour AtPalLevels(const Colour& c) { return {PalLevel(c.red), PalLevel(c.green), PalLevel(c.blue)}; }

inline int SquaredDistance(const Colour& a, const PaletteColour& b) {
  const int dr = a.red - b.red, dg = a.green - b.green, db = a.blue - b.blue;
  return dr * dr + dg * dg + db * db;
}

inline bool Contains(const std::vector<PaletteColour>& palette, const PaletteColour& c) {
  return std::find(palette.begin(), palette.end(), c) != palette.end();
}

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

// The picture's colours with their pixel counts, in order of colour; for a picture of very
// many colours, the means of its 4 x 4 x 4-level cells. False when memory ran short.
bool CollectColours(const Image& image, std::vector<Colour>& colours);

// Wu's boxes over the colours; the mean of each is a first centre. At most `count` centres;
// false when memory ran short.
bool WuCentres(const std::vector<Colour>& colours, int count, std::vector<Centre>& centres);

// Lloyd's iterations on free centres, then on entries at PAL levels (refilled up to `count`).
void SettleFreely(const std::vector<Colour>& colours, std::vector<Centre>& centres);
void SettleAtPalLevels(const std::vector<Colour>& colours, int count, std::vector<PaletteColour>& palette);

// Moves single entries to far places while that lowers the total error.
void MoveEntries(const std::vector<Colour>& colours, std::vector<PaletteColour>& palette);

}  // namespace best_palette
