#include "nearest_color.h"

#include <algorithm>
#include <new>

namespace {
int ClampCount(int count) { return count < 1 ? 1 : count > kPaletteSize ? kPaletteSize : count; }

int Distance(int dr, int dg, int db) { return 30 * dr * dr + 59 * dg * dg + 11 * db * db; }
}  // namespace

int FindNearestColor(const Palette& palette, int red, int green, int blue, int count) {
  count = ClampCount(count);
  int best = 0, bestDistance = 0x7FFFFFFF;
  for (int i = 0; i < count; ++i) {
    const int distance = Distance(palette[i].red - red, palette[i].green - green, palette[i].blue - blue);
    if (distance < bestDistance) {
      bestDistance = distance;
      best = i;
    }
  }
  return best;
}

void MapImageFullSearch(const Image& image, const Palette& palette, int count, std::uint8_t* indices) {
  if (!image.valid) return;
  for (int y = 0; y < image.height; ++y) {
    const Pixel* row = image.GetRow(y);
    for (int x = 0; x < image.width; ++x)
      *indices++ = static_cast<std::uint8_t>(
          FindNearestColor(palette, RedOf(row[x]), GreenOf(row[x]), BlueOf(row[x]), count));
  }
}

NearestColorMapper::NearestColorMapper(const Palette& palette, int count) : entryCount_(ClampCount(count)) {
  for (int i = 0; i < entryCount_; ++i) byGreen_[i] = {palette[i].green, palette[i].red, palette[i].blue, i};
  std::stable_sort(byGreen_, byGreen_ + entryCount_, [](const Entry& a, const Entry& b) { return a.green < b.green; });
  int position = 0;
  for (int green = 0; green <= 256; ++green) {
    while (position < entryCount_ && byGreen_[position].green < green) ++position;
    firstWithGreen_[green] = position;
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

std::uint8_t NearestColorMapper::Search(int red, int green, int blue) const {
  int best = kPaletteSize, bestDistance = 0x7FFFFFFF;
  auto consider = [&](const Entry& entry) {
    const int distance = Distance(entry.red - red, entry.green - green, entry.blue - blue);
    if (distance < bestDistance || (distance == bestDistance && entry.index < best)) {
      bestDistance = distance;
      best = entry.index;
    }
  };
  // Walk outwards from the pixel's green in both directions. Once 59*dg^2 alone is above
  // the best distance, nothing further on that side can win or tie.
  int up = firstWithGreen_[green], down = up - 1;
  while (up < entryCount_ || down >= 0) {
    if (up < entryCount_) {
      const int dg = byGreen_[up].green - green;
      if (59 * dg * dg > bestDistance) up = entryCount_;
      else consider(byGreen_[up++]);
    }
    if (down >= 0) {
      const int dg = green - byGreen_[down].green;
      if (59 * dg * dg > bestDistance) down = -1;
      else consider(byGreen_[down--]);
    }
  }
  return static_cast<std::uint8_t>(best);
}

std::uint8_t NearestColorMapper::Map(Pixel pixel) {
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

void NearestColorMapper::MapRow(const Pixel* row, int width, std::uint8_t* indices) {
  for (int x = 0; x < width; ++x) indices[x] = Map(row[x]);
}
