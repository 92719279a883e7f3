#include "best_quantizer.h"

#include <algorithm>
#include <new>
#include <vector>

#include "best_palette_steps.h"

using namespace best_palette;

int BuildBestPalette(const Image& image, int count, PaletteColour* out) {
  count = std::clamp(count, 1, kPaletteSize);
  if (!image.valid || image.width < 1 || image.height < 1) return 0;
  try {
    std::vector<Colour> colours;
    if (!CollectColours(image, colours)) return -1;
    std::vector<PaletteColour> palette;
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
