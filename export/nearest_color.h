// Mapping colours to palette indices.
//
// The nearest entry is the one with the smallest wr*dr^2 + wg*dg^2 + wb*db^2 among entries
// first..count-1 (first is 0 unless index 0 is kept out of the picture); on equal distances
// the lowest index wins. Entries from `count` on never take part. The weights are 30, 59, 11
// (the luma weights the export has always used) unless a caller asks for plain RGB distance
// (1, 1, 1: the error that PSNR counts). Both the plain search and the fast mapper give
// exactly this result.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "image.h"
#include "palette.h"

struct ColourWeights {
  int red, green, blue;  // each 1..100
};
inline constexpr ColourWeights kLumaWeights{30, 59, 11};
inline constexpr ColourWeights kPlainWeights{1, 1, 1};

// The plain search over entries first..count-1 (count is clamped to 1..256, first to
// 0..count-1); channels 0..255.
int FindNearestColor(const Palette& palette, int red, int green, int blue, int count, int first = 0,
                     ColourWeights weights = kLumaWeights);

// FindNearestColor for every pixel of `image`, rows from the top: the plain full search,
// kept as the reference for tests and benchmarks. `indices` has room for width * height.
void MapImageFullSearch(const Image& image, const Palette& palette, int count, std::uint8_t* indices, int first = 0,
                        ColourWeights weights = kLumaWeights);

// The same results much faster, however many colours a picture has: a cache of colours
// already seen (a load screen repeats few colours) in front of a grid of colour cells, each
// knowing the few entries that can be nearest to some colour inside it.
class NearestColourMapper {
 public:
  // 16 cells per channel, 16 levels wide.
  static constexpr int kCellShift = 4;
  static constexpr int kCellsPerChannel = 256 >> kCellShift;
  static constexpr int kCellCount = kCellsPerChannel * kCellsPerChannel * kCellsPerChannel;

  // count and first are clamped as for FindNearestColor. Without memory for the cache the
  // mapper still works, only slower.
  NearestColourMapper(const Palette& palette, int count, int first = 0, ColourWeights weights = kLumaWeights);

  std::uint8_t Map(Pixel pixel);
  void MapRow(const Pixel* row, int width, std::uint8_t* indices);
  // The nearest entry to a colour, channels 0..255, without the cache.
  std::uint8_t Search(int red, int green, int blue);
  // The grid cell of a colour (top byte ignored), 0..kCellCount-1: colours searched cell by
  // cell find the cell's candidates at hand.
  static int CellOf(Pixel colour) {
    return ((RedOf(colour) >> kCellShift) * kCellsPerChannel + (GreenOf(colour) >> kCellShift)) * kCellsPerChannel +
           (BlueOf(colour) >> kCellShift);
  }

 private:
  struct Entry {
    int red, green, blue, index;
  };
  struct Candidate {
    int lowerBound;  // no colour of the cell is nearer to the entry than this
    int red, green, blue, index;
  };
  const Candidate* CellCandidates(int cell, int& count);
  const std::uint8_t* BlockEntries(int block, int& count);
  // Of the entries at `positions` (count of them), those that can be nearest to some colour
  // of the box from (redLow, greenLow, blueLow), `size` levels wide per channel, with their
  // lower bounds; returns how many were written to `out` and `lower`, in the order given.
  int BoxCandidates(int redLow, int greenLow, int blueLow, int size, const std::uint8_t* positions, int count,
                    std::uint8_t* out, int* lower) const;
  int Distance(int dr, int dg, int db) const {
    return weights_.red * dr * dr + weights_.green * dg * dg + weights_.blue * db * db;
  }

  // Blocks of 2 x 2 x 2 cells: a cell's candidates are found among its block's, which are
  // found among all entries once per block, so each cell looks at a few dozen entries
  // instead of all of them. (A cell's candidates are always among its block's: a smaller
  // box has higher lower bounds and a bound no higher.)
  static constexpr int kBlockShift = kCellShift + 1;
  static constexpr int kBlocksPerChannel = 256 >> kBlockShift;
  static constexpr int kBlockCount = kBlocksPerChannel * kBlocksPerChannel * kBlocksPerChannel;
  static constexpr int kCacheBits = 15;
  static constexpr std::uint32_t kEmptyKey = 0xFFFFFFFF;  // no 24-bit colour has this key

  Entry entries_[kPaletteSize];
  // The same channels apart, so the cell bounds of all entries are computed side by side.
  int reds_[kPaletteSize], greens_[kPaletteSize], blues_[kPaletteSize];
  int entryCount_;
  ColourWeights weights_;
  // Per cell: -1 until first used, then where its candidates start in candidates_; the
  // count follows in cellCounts_.
  std::unique_ptr<std::int32_t[]> cellStarts_;
  std::unique_ptr<std::uint16_t[]> cellCounts_;
  std::vector<Candidate> candidates_;
  // The same per block, as positions in entries_.
  std::int32_t blockStarts_[kBlockCount];
  std::uint16_t blockCounts_[kBlockCount];
  std::vector<std::uint8_t> blockEntries_;
  std::unique_ptr<std::uint32_t[]> cacheKeys_;
  std::unique_ptr<std::uint8_t[]> cacheIndices_;
  std::uint32_t lastKey_ = kEmptyKey;
  std::uint8_t lastIndex_ = 0;
};
