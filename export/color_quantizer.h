// ColorQuantizer: an octree that finds a palette of at most a requested number of colours
// for a 32-bit image (the SHP export's new palette).
//
// Build it once per image with BuildFromImage, read the palette with FillColorTable. Pixels
// go down the tree by the interleaved bits of red, green and blue, most significant first;
// leaves sit at level `depth`. Whenever the tree holds more leaves than `colorLimit` (the
// requested count, raised to 16 when smaller), the most recently created inner node of the
// deepest level that still has one becomes a leaf holding the sum of its children, whatever
// their pixel counts. So the table can hold fewer colours than requested.
//
// Invariants: after BuildFromImage, LeafCount() <= ColorLimit(); inner nodes carry zero
// sums and leaves have no children. The quantizer owns every node: they come from blocks
// it keeps, and a node a reduction releases is handed out again by the next NewNode.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "colour_histogram.h"
#include "image.h"

// One colour table entry, in the byte order of a Windows RGBQUAD.
struct ColorTableEntry {
  std::uint8_t blue = 0;
  std::uint8_t green = 0;
  std::uint8_t red = 0;
  std::uint8_t reserved = 0;
};

struct QuantizerNode {
  std::uint32_t isLeaf = 0;
  std::uint32_t pixelCount = 0;
  // 64-bit so that images above 16.8 million pixels cannot overflow them; below that the
  // results equal those of 32-bit sums.
  std::uint64_t redSum = 0;
  std::uint64_t greenSum = 0;
  std::uint64_t blueSum = 0;
  std::uint64_t alphaSum = 0;
  QuantizerNode* children[8] = {};
  QuantizerNode* nextMergeable = nullptr;
};

class ColorQuantizer {
 public:
  static constexpr std::uint32_t kMaxDepth = 8;
  // The fewest leaves the tree keeps while it is built (small requests are grouped after).
  static constexpr std::uint32_t kMinimumLimit = 16;

  // colorBits above 8 count as 8.
  ColorQuantizer(std::uint32_t requestedColors, std::uint32_t colorBits);
  virtual ~ColorQuantizer();
  ColorQuantizer(const ColorQuantizer&) = delete;
  ColorQuantizer& operator=(const ColorQuantizer&) = delete;

  // Gives the tree of adding every pixel (red bits 16-23, green 8-15, blue 0-7; the top byte
  // is ignored), rows from the top, each from the left, reducing the tree after each pixel.
  // An image without pixels adds nothing. False when memory is short: part of the picture
  // stays in the tree, and the caller should give up on this palette.
  bool BuildFromImage(const Image& image);
  // The same from the picture's colours, counted beforehand.
  bool BuildFromColours(const ColourHistogram& colours);

  // Writes the palette to `table` from entry 0 (entries after the last one written are not
  // touched) and returns how many entries were written, never more than `capacity`.
  // The leaves come in depth-first order, children 0 to 7, each channel the sum divided by
  // the pixel count (truncated). When fewer than 16 colours were requested and the tree has
  // more leaves than that, leaf groups a..b-1 with a = leaves * j / requested,
  // b = leaves * (j + 1) / requested become entry j, their pixel-count weighted mean.
  std::uint32_t FillColorTable(ColorTableEntry* table, std::size_t capacity) const;

  std::uint32_t LeafCount() const { return leafCount_; }
  std::uint32_t ColorLimit() const { return colorLimit_; }
  std::uint32_t Depth() const { return depth_; }

 protected:
  // A zero-filled node from the quantizer's blocks, or null when memory is short. Tests
  // override it to run out of memory on purpose; an override returns nodes from this base
  // version.
  virtual QuantizerNode* NewNode();

 private:
  // Adds `count` pixels of one colour to its leaf, which it returns; null when a node could
  // not be allocated.
  QuantizerNode* AddColor(unsigned red, unsigned green, unsigned blue, unsigned alpha, std::uint32_t count);
  bool MergeOneNode();
  void ReleaseTree(QuantizerNode* node);

  // Nodes are carved from blocks of kNodesPerBlock; released ones wait in freeNodes_,
  // linked through nextMergeable.
  static constexpr std::size_t kNodesPerBlock = 512;
  std::vector<std::unique_ptr<QuantizerNode[]>> blocks_;
  std::size_t usedInLastBlock_ = kNodesPerBlock;
  QuantizerNode* freeNodes_ = nullptr;

  QuantizerNode* root_ = nullptr;
  std::uint32_t leafCount_ = 0;
  QuantizerNode* mergeable_[kMaxDepth + 1] = {};
  std::uint32_t colorLimit_;
  std::uint32_t requestedColors_;
  std::uint32_t depth_;
};
