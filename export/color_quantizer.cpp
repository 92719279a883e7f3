#include "color_quantizer.h"

#include <memory>
#include <new>

namespace {

ColorTableEntry LeafColour(const QuantizerNode& leaf) {
  ColorTableEntry entry;
  // A leaf always holds a pixel; only a tree cut short by a failed allocation could hold an
  // empty one, which then reads as black.
  if (leaf.pixelCount == 0) return entry;
  entry.red = static_cast<std::uint8_t>(leaf.redSum / leaf.pixelCount);
  entry.green = static_cast<std::uint8_t>(leaf.greenSum / leaf.pixelCount);
  entry.blue = static_cast<std::uint8_t>(leaf.blueSum / leaf.pixelCount);
  entry.reserved = static_cast<std::uint8_t>(leaf.alphaSum / leaf.pixelCount);
  return entry;
}

// Calls visit(leaf) for every leaf, depth first, children in index order.
template <typename Visit>
void VisitLeaves(const QuantizerNode* node, Visit& visit) {
  if (!node) return;
  if (node->isLeaf) {
    visit(*node);
    return;
  }
  for (const QuantizerNode* child : node->children) VisitLeaves(child, visit);
}

}  // namespace

ColorQuantizer::ColorQuantizer(std::uint32_t requestedColors, std::uint32_t colorBits)
    : colorLimit_(requestedColors < kMinimumLimit ? kMinimumLimit : requestedColors),
      requestedColors_(requestedColors),
      depth_(colorBits < kMaxDepth ? colorBits : kMaxDepth) {}

// The blocks go with the quantizer; no node is released one by one.
ColorQuantizer::~ColorQuantizer() = default;

// Taking nodes from blocks rather than one heap allocation each: a picture of many colours
// creates and releases nodes by the hundred thousand as the tree is reduced.
QuantizerNode* ColorQuantizer::NewNode() {
  QuantizerNode* node = freeNodes_;
  if (node) {
    freeNodes_ = node->nextMergeable;
  } else {
    if (usedInLastBlock_ == kNodesPerBlock) {
      std::unique_ptr<QuantizerNode[]> block(new (std::nothrow) QuantizerNode[kNodesPerBlock]);
      if (!block) return nullptr;
      try {
        blocks_.push_back(std::move(block));
      } catch (const std::bad_alloc&) {
        return nullptr;
      }
      usedInLastBlock_ = 0;
    }
    node = &blocks_.back()[usedInLastBlock_++];
  }
  *node = QuantizerNode{};
  return node;
}

void ColorQuantizer::ReleaseTree(QuantizerNode* node) {
  if (!node) return;
  for (QuantizerNode* child : node->children) ReleaseTree(child);
  node->nextMergeable = freeNodes_;
  freeNodes_ = node;
}

namespace {
void AddToLeaf(QuantizerNode& leaf, unsigned red, unsigned green, unsigned blue, unsigned alpha, std::uint32_t count) {
  leaf.pixelCount += count;
  leaf.redSum += std::uint64_t{red} * count;
  leaf.greenSum += std::uint64_t{green} * count;
  leaf.blueSum += std::uint64_t{blue} * count;
  leaf.alphaSum += std::uint64_t{alpha} * count;
}
}  // namespace

// Only the first pixel of each colour can change the tree: from then on the colour's way
// down always ends at a leaf (a reduction turns a node on it into that leaf), and reductions
// do not look at pixel counts. Every later pixel of the colour ends up in the sums of the
// leaf its colour reaches at the end, wherever it was added. So adding each distinct colour
// once, in order of first appearance, with all its pixels, gives the very tree and sums of
// adding the pixels one by one, in a fraction of the time.
bool ColorQuantizer::BuildFromImage(const Image& image) {
  try {
    return BuildFromColours(ColourHistogram(image));
  } catch (const std::bad_alloc&) {
    return false;
  }
}

bool ColorQuantizer::BuildFromColours(const ColourHistogram& colours) {
  for (const ColourHistogram::Entry& entry : colours.Entries()) {
    const Pixel colour = entry.colour;
    if (!AddColor(RedOf(colour), GreenOf(colour), BlueOf(colour), 0, entry.count)) return false;
    while (leafCount_ > colorLimit_)
      if (!MergeOneNode()) break;
  }
  return true;
}

QuantizerNode* ColorQuantizer::AddColor(unsigned red, unsigned green, unsigned blue, unsigned alpha,
                                        std::uint32_t count) {
  QuantizerNode** slot = &root_;
  for (std::uint32_t level = 0;; ++level) {
    if (!*slot) {
      QuantizerNode* node = NewNode();
      if (!node) return nullptr;
      *slot = node;
      if (level == depth_) {
        node->isLeaf = 1;
        ++leafCount_;
      } else {
        node->nextMergeable = mergeable_[level];
        mergeable_[level] = node;
      }
    }
    QuantizerNode* node = *slot;
    if (node->isLeaf) {
      AddToLeaf(*node, red, green, blue, alpha, count);
      return node;
    }
    const unsigned shift = 7 - level;
    const unsigned child = ((red >> shift) & 1) << 2 | ((green >> shift) & 1) << 1 | ((blue >> shift) & 1);
    slot = &node->children[child];
  }
}

bool ColorQuantizer::MergeOneNode() {
  if (depth_ == 0) return false;  // the root is the only leaf there can be
  std::uint32_t level = depth_ - 1;
  while (level > 0 && !mergeable_[level]) --level;
  QuantizerNode* node = mergeable_[level];
  if (!node) return false;
  mergeable_[level] = node->nextMergeable;
  node->nextMergeable = nullptr;

  std::uint64_t red = 0, green = 0, blue = 0, alpha = 0;
  std::uint32_t merged = 0;
  for (QuantizerNode*& child : node->children) {
    if (!child) continue;
    node->pixelCount += child->pixelCount;
    red += child->redSum;
    green += child->greenSum;
    blue += child->blueSum;
    alpha += child->alphaSum;
    ReleaseTree(child);
    child = nullptr;
    ++merged;
  }
  node->redSum = red;
  node->greenSum = green;
  node->blueSum = blue;
  node->alphaSum = alpha;
  node->isLeaf = 1;
  // The node itself becomes one leaf in place of its `merged` children.
  leafCount_ = leafCount_ + 1 - merged;
  return true;
}

std::uint32_t ColorQuantizer::FillColorTable(ColorTableEntry* table, std::size_t capacity) const {
  if (!table) return 0;
  std::uint32_t written = 0;
  if (requestedColors_ >= kMinimumLimit) {
    auto write = [&](const QuantizerNode& leaf) {
      if (written < capacity) table[written++] = LeafColour(leaf);
    };
    VisitLeaves(root_, write);
    return written;
  }

  // Few colours asked for: the (at most 16) leaves are grouped in table order.
  ColorTableEntry leaves[kMinimumLimit];
  std::uint32_t counts[kMinimumLimit] = {};
  std::uint32_t leafTotal = 0;
  auto collect = [&](const QuantizerNode& leaf) {
    if (leafTotal < kMinimumLimit) {
      leaves[leafTotal] = LeafColour(leaf);
      counts[leafTotal++] = leaf.pixelCount;
    }
  };
  VisitLeaves(root_, collect);

  if (leafTotal <= requestedColors_) {
    for (std::uint32_t i = 0; i < leafTotal && written < capacity; ++i) table[written++] = leaves[i];
    return written;
  }
  for (std::uint32_t j = 0; j < requestedColors_ && written < capacity; ++j) {
    const std::uint32_t first = leafTotal * j / requestedColors_;
    const std::uint32_t end = leafTotal * (j + 1) / requestedColors_;
    std::uint64_t red = 0, green = 0, blue = 0, reserved = 0, pixels = 0;
    for (std::uint32_t i = first; i < end; ++i) {
      red += std::uint64_t{leaves[i].red} * counts[i];
      green += std::uint64_t{leaves[i].green} * counts[i];
      blue += std::uint64_t{leaves[i].blue} * counts[i];
      reserved += std::uint64_t{leaves[i].reserved} * counts[i];
      pixels += counts[i];
    }
    ColorTableEntry entry;
    if (pixels > 0) {
      entry.red = static_cast<std::uint8_t>(red / pixels);
      entry.green = static_cast<std::uint8_t>(green / pixels);
      entry.blue = static_cast<std::uint8_t>(blue / pixels);
      entry.reserved = static_cast<std::uint8_t>(reserved / pixels);
    }
    table[written++] = entry;
  }
  return written;
}
