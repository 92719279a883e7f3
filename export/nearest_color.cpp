#include "nearest_color.h"

#include <algorithm>
#include <climits>
#include <new>

namespace {
int ClampCount(int count) { return count < 1 ? 1 : count > kPaletteSize ? kPaletteSize : count; }
int ClampFirst(int first, int count) { return first < 0 ? 0 : first >= count ? count - 1 : first; }

int Distance(int dr, int dg, int db, ColourWeights w) { return w.red * dr * dr + w.green * dg * dg + w.blue * db * db; }

}  // namespace

int FindNearestColor(const Palette& palette, int red, int green, int blue, int count, int first,
                     ColourWeights weights) {
  count = ClampCount(count);
  first = ClampFirst(first, count);
  int best = first, bestDistance = INT_MAX;
  for (int i = first; i < count; ++i) {
    const int distance = Distance(palette[i].red - red, palette[i].green - green, palette[i].blue - blue, weights);
    if (distance < bestDistance) {
      bestDistance = distance;
      best = i;
    }
  }
  return best;
}

void MapImageFullSearch(const Image& image, const Palette& palette, int count, std::uint8_t* indices, int first,
                        ColourWeights weights) {
  if (!image.valid) return;
  for (int y = 0; y < image.height; ++y) {
    const Pixel* row = image.GetRow(y);
    for (int x = 0; x < image.width; ++x)
      *indices++ = static_cast<std::uint8_t>(
          FindNearestColor(palette, RedOf(row[x]), GreenOf(row[x]), BlueOf(row[x]), count, first, weights));
  }
}

NearestColourMapper::NearestColourMapper(const Palette& palette, int count, int first, ColourWeights weights)
    : weights_(weights) {
  count = ClampCount(count);
  first = ClampFirst(first, count);
  entryCount_ = count - first;
  for (int i = first; i < count; ++i) {
    entries_[i - first] = {palette[i].red, palette[i].green, palette[i].blue, i};
    reds_[i - first] = palette[i].red;
    greens_[i - first] = palette[i].green;
    blues_[i - first] = palette[i].blue;
  }
  std::fill_n(blockStarts_, kBlockCount, -1);
  cellStarts_.reset(new (std::nothrow) std::int32_t[kCellCount]);
  cellCounts_.reset(new (std::nothrow) std::uint16_t[kCellCount]);
  if (cellStarts_ && cellCounts_) {
    std::fill_n(cellStarts_.get(), kCellCount, -1);
  } else {
    cellStarts_.reset();
    cellCounts_.reset();
  }
  cacheKeys_.reset(new (std::nothrow) std::uint32_t[std::size_t{1} << kCacheBits]);
  cacheIndices_.reset(new (std::nothrow) std::uint8_t[std::size_t{1} << kCacheBits]);
  if (cacheKeys_ && cacheIndices_) {
    std::fill_n(cacheKeys_.get(), std::size_t{1} << kCacheBits, kEmptyKey);
  } else {
    cacheKeys_.reset();
    cacheIndices_.reset();
  }
}

// A box's candidates are the entries whose nearest possible distance to a colour of the box
// is not above the smallest farthest distance of any entry: the winner for any colour of the
// box is among them, and so is every entry that ties with it.
int NearestColourMapper::BoxCandidates(int redLow, int greenLow, int blueLow, int size, const std::uint8_t* positions,
                                       int count, std::uint8_t* out, int* lower) const {
  const int redHigh = redLow + size - 1, greenHigh = greenLow + size - 1, blueHigh = blueLow + size - 1;
  int lowerOf[kPaletteSize];
  int bound = INT_MAX;
  for (int k = 0; k < count; ++k) {
    const int i = positions[k];
    const int r = reds_[i], g = greens_[i], b = blues_[i];
    const int nr = std::max({0, redLow - r, r - redHigh}), ng = std::max({0, greenLow - g, g - greenHigh}),
              nb = std::max({0, blueLow - b, b - blueHigh});
    const int fr = std::max(r - redLow, redHigh - r), fg = std::max(g - greenLow, greenHigh - g),
              fb = std::max(b - blueLow, blueHigh - b);
    lowerOf[k] = Distance(nr, ng, nb);
    bound = std::min(bound, Distance(fr, fg, fb));
  }
  int written = 0;
  for (int k = 0; k < count; ++k) {
    if (lowerOf[k] > bound) continue;
    out[written] = positions[k];
    lower[written++] = lowerOf[k];
  }
  return written;
}

const std::uint8_t* NearestColourMapper::BlockEntries(int block, int& count) {
  if (blockStarts_[block] < 0) {
    const int size = 1 << kBlockShift;
    std::uint8_t all[kPaletteSize], found[kPaletteSize];
    int lower[kPaletteSize];
    for (int i = 0; i < entryCount_; ++i) all[i] = static_cast<std::uint8_t>(i);
    const int written = BoxCandidates((block / (kBlocksPerChannel * kBlocksPerChannel)) * size,
                                      (block / kBlocksPerChannel % kBlocksPerChannel) * size,
                                      (block % kBlocksPerChannel) * size, size, all, entryCount_, found, lower);
    try {
      const std::size_t start = blockEntries_.size();
      blockEntries_.insert(blockEntries_.end(), found, found + written);
      blockStarts_[block] = static_cast<std::int32_t>(start);
      blockCounts_[block] = static_cast<std::uint16_t>(written);
    } catch (const std::bad_alloc&) {
      return nullptr;
    }
  }
  count = blockCounts_[block];
  return blockEntries_.data() + blockStarts_[block];
}

// A cell's candidates, sorted by their lower bound, so a search stops as soon as the bound
// passes the best distance.
const NearestColourMapper::Candidate* NearestColourMapper::CellCandidates(int cell, int& count) {
  if (!cellStarts_) return nullptr;
  if (cellStarts_[cell] < 0) {
    const int red = cell / (kCellsPerChannel * kCellsPerChannel), green = cell / kCellsPerChannel % kCellsPerChannel,
              blue = cell % kCellsPerChannel;
    constexpr int kCellsPerBlock = 1 << (kBlockShift - kCellShift);
    int blockCount = 0;
    const std::uint8_t* blockEntries =
        BlockEntries(((red / kCellsPerBlock) * kBlocksPerChannel + green / kCellsPerBlock) * kBlocksPerChannel +
                         blue / kCellsPerBlock,
                     blockCount);
    if (!blockEntries) return nullptr;
    const int size = 1 << kCellShift;
    std::uint8_t found[kPaletteSize];
    int lower[kPaletteSize];
    const int written =
        BoxCandidates(red * size, green * size, blue * size, size, blockEntries, blockCount, found, lower);
    Candidate all[kPaletteSize];
    for (int k = 0; k < written; ++k) {
      const Entry& e = entries_[found[k]];
      all[k] = {lower[k], e.red, e.green, e.blue, e.index};
    }
    std::sort(all, all + written, [](const Candidate& a, const Candidate& b) {
      return a.lowerBound != b.lowerBound ? a.lowerBound < b.lowerBound : a.index < b.index;
    });
    try {
      const std::size_t start = candidates_.size();
      candidates_.insert(candidates_.end(), all, all + written);
      cellStarts_[cell] = static_cast<std::int32_t>(start);
      cellCounts_[cell] = static_cast<std::uint16_t>(written);
    } catch (const std::bad_alloc&) {
      return nullptr;
    }
  }
  count = cellCounts_[cell];
  return candidates_.data() + cellStarts_[cell];
}

std::uint8_t NearestColourMapper::Search(int red, int green, int blue) {
  int best = kPaletteSize, bestDistance = INT_MAX;
  int count = 0;
  const int cell =
      ((red >> kCellShift) * kCellsPerChannel + (green >> kCellShift)) * kCellsPerChannel + (blue >> kCellShift);
  if (const Candidate* candidates = CellCandidates(cell, count)) {
    for (int i = 0; i < count; ++i) {
      const Candidate& c = candidates[i];
      if (c.lowerBound > bestDistance) break;
      const int distance = Distance(c.red - red, c.green - green, c.blue - blue);
      if (distance < bestDistance || (distance == bestDistance && c.index < best)) {
        bestDistance = distance;
        best = c.index;
      }
    }
    return static_cast<std::uint8_t>(best);
  }
  // No memory for the grid: the plain search.
  for (int i = 0; i < entryCount_; ++i) {
    const Entry& e = entries_[i];
    const int distance = Distance(e.red - red, e.green - green, e.blue - blue);
    if (distance < bestDistance) {
      bestDistance = distance;
      best = e.index;
    }
  }
  return static_cast<std::uint8_t>(best);
}

std::uint8_t NearestColourMapper::Map(Pixel pixel) {
  const std::uint32_t key = pixel & 0xFFFFFF;
  if (key == lastKey_) return lastIndex_;
  std::uint8_t index;
  if (cacheKeys_) {
    const std::uint32_t slot = (key * 2654435761u) >> (32 - kCacheBits);
    if (cacheKeys_[slot] == key) {
      index = cacheIndices_[slot];
    } else {
      index = Search(RedOf(key), GreenOf(key), BlueOf(key));
      cacheKeys_[slot] = key;
      cacheIndices_[slot] = index;
    }
  } else {
    index = Search(RedOf(key), GreenOf(key), BlueOf(key));
  }
  lastKey_ = key;
  lastIndex_ = index;
  return index;
}

void NearestColourMapper::MapRow(const Pixel* row, int width, std::uint8_t* indices) {
  for (int x = 0; x < width; ++x) indices[x] = Map(row[x]);
}
