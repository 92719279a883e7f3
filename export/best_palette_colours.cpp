// The palette search's data: the picture's colours and their pixel counts.

#include <algorithm>
#include <cstdint>
#include <new>
#include <numeric>
#include <vector>

#include "best_palette_steps.h"

namespace best_palette {
namespace {

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

}  // namespace

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
      for (j = i; j < runs.size() && static_cast<std::uint32_t>(runs[j] >> 32) == colour; ++j)
        count += runs[j] & 0xFFFFFFFF;
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
      cells.push_back(
          {static_cast<std::uint32_t>(std::min<std::uint64_t>(count, UINT32_MAX)), mean(red), mean(green), mean(blue)});
    }
    colours.swap(cells);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

}  // namespace best_palette
