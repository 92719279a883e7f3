// Mapping colours to palette indices.
//
// The nearest entry is the one with the smallest 30*dr^2 + 59*dg^2 + 11*db^2 among entries
// 0..count-1; on equal distances the lowest index wins. Entries from `count` on never take
// part. Both the plain search and the fast mapper give exactly this result.
#pragma once

#include <cstdint>
#include <memory>

#include "image.h"
#include "palette.h"

// The plain search over entries 0..count-1 (count is clamped to 1..256); channels 0..255.
int FindNearestColor(const Palette& palette, int red, int green, int blue, int count);

// FindNearestColor for every pixel of `image`, rows from the top: the plain full search,
// kept as the reference for tests and benchmarks. `indices` has room for width * height.
void MapImageFullSearch(const Image& image, const Palette& palette, int count, std::uint8_t* indices);

// The same results much faster: a cache of colours already seen (a load screen repeats few
// colours) in front of a search that visits entries by closeness in green and stops once
// the green difference alone exceeds the best distance.
class NearestColorMapper {
 public:
  // count is clamped to 1..256. Without memory for the cache the mapper still works, only
  // slower.
  NearestColorMapper(const Palette& palette, int count);

  std::uint8_t Map(Pixel pixel);
  void MapRow(const Pixel* row, int width, std::uint8_t* indices);

 private:
  struct Entry {
    int green, red, blue, index;
  };
  std::uint8_t Search(int red, int green, int blue) const;

  static constexpr int kCacheBits = 15;
  static constexpr std::uint32_t kEmptyKey = 0xFFFFFFFF;  // no 24-bit colour has this key
  Entry byGreen_[kPaletteSize];
  int entryCount_;
  int firstWithGreen_[257];  // first position in byGreen_ whose green is >= the index
  std::unique_ptr<std::uint32_t[]> cacheKeys_;
  std::unique_ptr<std::uint8_t[]> cacheIndices_;
  std::uint32_t lastKey_ = kEmptyKey;
  std::uint8_t lastIndex_ = 0;
};
