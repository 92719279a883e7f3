#include "picture_mapping.h"

#include <algorithm>
#include <exception>
#include <new>
#include <thread>
#include <vector>

#include "nearest_color.h"

namespace {

void MapPlain(const Image& picture, NearestColourMapper& mapper, std::uint8_t* indices,
              const std::function<void(int)>& afterRow) {
  for (int y = 0; y < picture.height; ++y) {
    mapper.MapRow(picture.GetRow(y), picture.width, indices + static_cast<std::size_t>(y) * picture.width);
    if (afterRow) afterRow(y);
  }
}

// Below this many colours a second thread costs about what it saves.
constexpr std::size_t kColoursWorthAThread = 4096;

struct ColourAt {
  Pixel colour;
  std::uint32_t at;  // its place in the histogram
};

// The colours grouped by the mapper's grid cell, the cells in order (a counting sort), so
// that two threads can take a part of the cells each, and the colours of one cell are
// searched one after another while its candidates are at hand. `cellStarts` gets where each
// cell's colours begin, and the end.
std::vector<ColourAt> ByCell(const std::vector<ColourHistogram::Entry>& colours,
                             std::vector<std::uint32_t>& cellStarts) {
  cellStarts.assign(NearestColourMapper::kCellCount + 1, 0);
  for (const ColourHistogram::Entry& entry : colours) ++cellStarts[NearestColourMapper::CellOf(entry.colour) + 1];
  for (int cell = 0; cell < NearestColourMapper::kCellCount; ++cell) cellStarts[cell + 1] += cellStarts[cell];
  std::vector<std::uint32_t> next(cellStarts.begin(), cellStarts.end() - 1);
  std::vector<ColourAt> sorted(colours.size());
  for (std::size_t i = 0; i < colours.size(); ++i) {
    const Pixel colour = colours[i].colour;
    sorted[next[NearestColourMapper::CellOf(colour)]++] = {colour, static_cast<std::uint32_t>(i)};
  }
  return sorted;
}

void SearchColours(const ColourAt* begin, const ColourAt* end, NearestColourMapper& mapper, std::uint8_t* indexOf) {
  for (const ColourAt* c = begin; c != end; ++c)
    indexOf[c->at] = mapper.Search(RedOf(c->colour), GreenOf(c->colour), BlueOf(c->colour));
}

// The cells from the middle colour on searched on a second thread, with a mapper of its own
// (so neither works out the other's cells), into an array of its own (two threads writing
// bytes of the same cache lines would slow each other down); `indexOf` must come zeroed.
// False when no thread could be started (nothing was searched then).
bool SearchColoursOnTwoThreads(const std::vector<ColourAt>& sorted, const std::vector<std::uint32_t>& cellStarts,
                               NearestColourMapper& mapper, const Palette& palette, const MappingOptions& options,
                               std::uint8_t* indexOf) {
  const std::uint32_t middle =
      *std::lower_bound(cellStarts.begin(), cellStarts.end(), static_cast<std::uint32_t>(sorted.size() / 2));
  std::vector<std::uint8_t> theirs;
  std::thread helper;
  try {
    theirs.resize(sorted.size());
    helper = std::thread([&] {
      NearestColourMapper own(palette, options.count, options.first, options.weights);
      SearchColours(sorted.data() + middle, sorted.data() + sorted.size(), own, theirs.data());
    });
  } catch (const std::exception&) {  // no memory or no thread
    return false;
  }
  SearchColours(sorted.data(), sorted.data() + middle, mapper, indexOf);
  helper.join();
  // Each index was written by one of the two, the other's stayed 0.
  for (std::size_t i = 0; i < sorted.size(); ++i) indexOf[i] |= theirs[i];
  return true;
}

// Each distinct colour is searched once; every pixel then takes its colour's index.
bool MapByColourIds(const Image& picture, const ColourHistogram& colours, NearestColourMapper& mapper,
                    const Palette& palette, const MappingOptions& options, std::uint8_t* indices,
                    const std::function<void(int)>& afterRow) {
  // The caller vouches that `colours` were counted on this very picture.
  const std::uint32_t* id = colours.PixelColourIds();
  if (!id) return false;
  const std::size_t width = static_cast<std::size_t>(picture.width);
  const std::vector<ColourHistogram::Entry>& entries = colours.Entries();
  std::vector<std::uint8_t> indexOf(entries.size());
  bool searched = false;
  if (options.threads >= 2 && entries.size() >= kColoursWorthAThread) {
    std::vector<std::uint32_t> cellStarts;
    const std::vector<ColourAt> sorted = ByCell(entries, cellStarts);
    searched = SearchColoursOnTwoThreads(sorted, cellStarts, mapper, palette, options, indexOf.data());
  }
  if (!searched)
    for (std::size_t i = 0; i < entries.size(); ++i)
      indexOf[i] = mapper.Search(RedOf(entries[i].colour), GreenOf(entries[i].colour), BlueOf(entries[i].colour));
  for (int y = 0; y < picture.height; ++y) {
    for (std::size_t x = 0; x < width; ++x) *indices++ = indexOf[*id++];
    if (afterRow) afterRow(y);
  }
  return true;
}

// Errors are kept in sixteenths, per channel, for the current and the next row, with one
// spare pixel on each side so the edges need no tests.
void MapDithered(const Image& picture, const Palette& palette, NearestColourMapper& mapper, std::uint8_t* indices,
                 const std::function<void(int)>& afterRow) {
  const int width = picture.width;
  std::vector<int> current(static_cast<std::size_t>(width + 2) * 3), next(current.size());
  for (int y = 0; y < picture.height; ++y) {
    const Pixel* row = picture.GetRow(y);
    std::uint8_t* out = indices + static_cast<std::size_t>(y) * width;
    std::fill(next.begin(), next.end(), 0);
    const bool forward = y % 2 == 0;
    const int step = forward ? 1 : -1;
    for (int i = 0, x = forward ? 0 : width - 1; i < width; ++i, x += step) {
      const int at = (x + 1) * 3;
      const int wanted[3] = {
          std::clamp(static_cast<int>(RedOf(row[x])) + current[at] / 16, 0, 255),
          std::clamp(static_cast<int>(GreenOf(row[x])) + current[at + 1] / 16, 0, 255),
          std::clamp(static_cast<int>(BlueOf(row[x])) + current[at + 2] / 16, 0, 255),
      };
      const std::uint8_t index = mapper.Map(MakePixel(wanted[0], wanted[1], wanted[2]));
      out[x] = index;
      const PaletteColour& got = palette[index];
      const int error[3] = {wanted[0] - got.red, wanted[1] - got.green, wanted[2] - got.blue};
      const int ahead = at + 3 * step, behind = at - 3 * step;
      for (int c = 0; c < 3; ++c) {
        current[ahead + c] += 7 * error[c];
        next[behind + c] += 3 * error[c];
        next[at + c] += 5 * error[c];
        next[ahead + c] += error[c];
      }
    }
    current.swap(next);
    if (afterRow) afterRow(y);
  }
}

}  // namespace

bool MapPicture(const Image& picture, const Palette& palette, const MappingOptions& options, std::uint8_t* indices,
                const std::function<void(int)>& afterRow) {
  if (!picture.valid) return true;
  NearestColourMapper mapper(palette, options.count, options.first, options.weights);
  try {
    if (!options.dither) {
      if (!options.colours || !MapByColourIds(picture, *options.colours, mapper, palette, options, indices, afterRow))
        MapPlain(picture, mapper, indices, afterRow);
      return true;
    }
    MapDithered(picture, palette, mapper, indices, afterRow);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}
