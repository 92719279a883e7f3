#include "color_quantizer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "memory_image.h"

namespace {

struct Rgb {
  int red, green, blue;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// An image holding each colour `counts[i]` times, in one row.
MemoryImage ImageOf(const std::vector<Rgb>& colours, const std::vector<int>& counts = {}) {
  std::vector<Pixel> pixels;
  for (std::size_t i = 0; i < colours.size(); ++i)
    for (int n = 0; n < (counts.empty() ? 1 : counts[i]); ++n)
      pixels.push_back(MakePixel(colours[i].red, colours[i].green, colours[i].blue));
  MemoryImage image;
  image.CreateFromPixels(pixels.data(), static_cast<int>(pixels.size()), 1);
  return image;
}

std::vector<Rgb> TableOf(const ColorQuantizer& quantizer, std::size_t capacity = 256) {
  std::vector<ColorTableEntry> table(capacity);
  const std::uint32_t written = quantizer.FillColorTable(table.data(), table.size());
  std::vector<Rgb> colours;
  for (std::uint32_t i = 0; i < written; ++i) colours.push_back({table[i].red, table[i].green, table[i].blue});
  return colours;
}

// The bits of red, green and blue interleaved from the most significant down: the order in
// which the tree lists its leaves.
std::uint32_t InterleavedKey(const Rgb& c) {
  std::uint32_t key = 0;
  for (int bit = 7; bit >= 0; --bit)
    key = key << 3 | ((c.red >> bit) & 1) << 2 | ((c.green >> bit) & 1) << 1 | ((c.blue >> bit) & 1);
  return key;
}

TEST(ColorQuantizer, OneColourGivesOneEntry) {
  ColorQuantizer quantizer(256, 8);
  ASSERT_TRUE(quantizer.BuildFromImage(ImageOf({{0x12, 0x34, 0x56}}, {6})));
  EXPECT_EQ(quantizer.LeafCount(), 1u);
  ColorTableEntry table[3];
  table[1].red = 99;  // untouched after the last entry written
  EXPECT_EQ(quantizer.FillColorTable(table, 3), 1u);
  EXPECT_EQ(table[0].blue, 0x56);
  EXPECT_EQ(table[0].green, 0x34);
  EXPECT_EQ(table[0].red, 0x12);
  EXPECT_EQ(table[0].reserved, 0);
  EXPECT_EQ(table[1].red, 99);
}

TEST(ColorQuantizer, FewColoursComeOutExactlyInInterleavedBitOrder) {
  const std::vector<Rgb> input = {{255, 0, 0},     {0, 255, 0},     {0, 0, 255},    {0, 0, 0},
                                  {255, 255, 255}, {128, 128, 128}, {127, 127, 127}};
  const std::vector<Rgb> expected = {{0, 0, 0},   {127, 127, 127}, {0, 0, 255},    {0, 255, 0},
                                     {255, 0, 0}, {128, 128, 128}, {255, 255, 255}};
  for (std::uint32_t requested : {16u, 256u}) {
    ColorQuantizer quantizer(requested, 8);
    ASSERT_TRUE(quantizer.BuildFromImage(ImageOf(input, {3, 1, 4, 1, 5, 9, 2})));
    EXPECT_EQ(quantizer.LeafCount(), 7u);
    EXPECT_EQ(TableOf(quantizer), expected) << requested;
  }
}

TEST(ColorQuantizer, UpToTheRequestedCountNothingIsMerged) {
  std::mt19937 random(7);
  for (int round = 0; round < 20; ++round) {
    std::vector<Rgb> colours;
    while (colours.size() < 40) {
      const Rgb c{static_cast<int>(random() & 255), static_cast<int>(random() & 255), static_cast<int>(random() & 255)};
      if (std::find(colours.begin(), colours.end(), c) == colours.end()) colours.push_back(c);
    }
    ColorQuantizer quantizer(40, 8);
    ASSERT_TRUE(quantizer.BuildFromImage(ImageOf(colours)));
    std::sort(colours.begin(), colours.end(),
              [](const Rgb& a, const Rgb& b) { return InterleavedKey(a) < InterleavedKey(b); });
    EXPECT_EQ(quantizer.LeafCount(), 40u);
    EXPECT_EQ(TableOf(quantizer), colours);
  }
}

TEST(ColorQuantizer, MergesTheNewestInnerNodeOfTheDeepestLevelWhateverItsCounts) {
  // Reds 0..15 share every level above 4; red 16 opens a new branch. The newest level-7
  // node is red 16's own (one child: merging it removes no leaf), the next newest the pair
  // 14/15, however many pixels those hold.
  std::vector<Rgb> colours;
  std::vector<int> counts;
  for (int red = 0; red <= 16; ++red) {
    colours.push_back({red, 0, 0});
    counts.push_back(red == 14 || red == 15 ? 100 : 1);
  }
  counts[15] = 300;
  ColorQuantizer quantizer(16, 8);
  ASSERT_TRUE(quantizer.BuildFromImage(ImageOf(colours, counts)));
  EXPECT_EQ(quantizer.LeafCount(), 16u);
  std::vector<Rgb> expected;
  for (int red = 0; red <= 13; ++red) expected.push_back({red, 0, 0});
  expected.push_back({(14 * 100 + 15 * 300) / 400, 0, 0});
  expected.push_back({16, 0, 0});
  EXPECT_EQ(TableOf(quantizer), expected);
}

TEST(ColorQuantizer, LeafCountNeverExceedsTheLimit) {
  MemoryImage image;
  ASSERT_TRUE(image.Create(64, 64));
  std::mt19937 random(3);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) image.WritePixel(x, y, random() & 0xFFFFFF);
  for (std::uint32_t requested : {1u, 10u, 16u, 17u, 100u, 256u}) {
    ColorQuantizer quantizer(requested, 8);
    ASSERT_TRUE(quantizer.BuildFromImage(image));
    EXPECT_LE(quantizer.LeafCount(), quantizer.ColorLimit());
    EXPECT_EQ(quantizer.ColorLimit(), std::max(requested, 16u));
    EXPECT_LE(TableOf(quantizer).size(), std::min<std::size_t>(requested, quantizer.LeafCount()));
  }
}

// The tree as its rule reads, pixel by pixel: each pixel goes down from the root, creating
// what is missing; while there are too many leaves, the newest inner node of the deepest
// level that has one becomes a leaf with the sums of its subtree.
std::vector<Rgb> ReferenceTable(const MemoryImage& image, std::uint32_t requested, unsigned depth) {
  struct Node {
    bool leaf = false;
    std::uint64_t count = 0, red = 0, green = 0, blue = 0;
    int children[8];
  };
  std::vector<Node> nodes(1);
  std::fill(std::begin(nodes[0].children), std::end(nodes[0].children), -1);
  std::vector<std::vector<int>> inner(depth + 1, std::vector<int>{});
  inner[0].push_back(0);
  std::uint32_t leaves = 0;
  const std::uint32_t limit = std::max(requested, 16u);
  const auto sum = [&](auto&& self, int at, Node& into) -> void {
    for (int child : nodes[at].children)
      if (child >= 0) {
        const Node& c = nodes[child];
        if (c.leaf)
          into.count += c.count, into.red += c.red, into.green += c.green, into.blue += c.blue;
        else
          self(self, child, into);
      }
  };
  const auto leavesUnder = [&](auto&& self, int at) -> std::uint32_t {
    std::uint32_t n = 0;
    for (int child : nodes[at].children)
      if (child >= 0) n += nodes[child].leaf ? 1 : self(self, child);
    return n;
  };
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      const Pixel p = image.ReadPixel(x, y);
      const unsigned r = RedOf(p), g = GreenOf(p), b = BlueOf(p);
      int at = 0;
      for (unsigned level = 0; !nodes[at].leaf; ++level) {
        const unsigned shift = 7 - level;
        const int child = ((r >> shift) & 1) << 2 | ((g >> shift) & 1) << 1 | ((b >> shift) & 1);
        if (nodes[at].children[child] < 0) {
          Node fresh;
          std::fill(std::begin(fresh.children), std::end(fresh.children), -1);
          fresh.leaf = level + 1 == depth;
          nodes.push_back(fresh);
          const int made = static_cast<int>(nodes.size()) - 1;
          nodes[at].children[child] = made;
          if (fresh.leaf)
            ++leaves;
          else
            inner[level + 1].push_back(made);
        }
        at = nodes[at].children[child];
      }
      Node& leaf = nodes[at];
      ++leaf.count, leaf.red += r, leaf.green += g, leaf.blue += b;
      while (leaves > limit) {
        int level = static_cast<int>(depth) - 1;
        while (level > 0 && inner[level].empty()) --level;
        const int merged = inner[level].back();
        inner[level].pop_back();
        leaves = leaves + 1 - leavesUnder(leavesUnder, merged);
        Node& node = nodes[merged];
        sum(sum, merged, node);
        std::fill(std::begin(node.children), std::end(node.children), -1);
        node.leaf = true;
      }
    }
  std::vector<Rgb> table;
  const auto visit = [&](auto&& self, int at) -> void {
    const Node& n = nodes[at];
    if (n.leaf)
      table.push_back({int(n.red / n.count), int(n.green / n.count), int(n.blue / n.count)});
    else
      for (int child : n.children)
        if (child >= 0) self(self, child);
  };
  visit(visit, 0);
  return table;
}

TEST(ColorQuantizer, RunsAndRepeatedColoursGiveTheTreeOfThePlainRule) {
  std::mt19937 random(11);
  for (int round = 0; round < 6; ++round) {
    // Colours from a pool, so most come back in later rows and columns, between reductions.
    std::vector<Pixel> pool(round % 2 ? 300 : 2500);
    for (Pixel& p : pool) p = random() & (round < 4 ? 0xFFFFFF : 0xF0F0F0);
    MemoryImage image;
    ASSERT_TRUE(image.Create(97, 61));
    for (int y = 0; y < 61; ++y)
      for (int x = 0; x < 97; ++x) image.WritePixel(x, y, random() % 4 ? pool[random() % pool.size()] : pool[0]);
    const std::uint32_t requested = round < 3 ? 256 : 40;
    const unsigned depth = round == 5 ? 5 : 8;
    ColorQuantizer quantizer(requested, depth);
    ASSERT_TRUE(quantizer.BuildFromImage(image));
    EXPECT_EQ(TableOf(quantizer), ReferenceTable(image, requested, depth)) << round;
  }
}

// Greys 0, 16, ..., 240 (their tree order), grey i held by i + 1 pixels.
MemoryImage SixteenWeightedGreys() {
  std::vector<Rgb> greys;
  std::vector<int> counts;
  for (int i = 0; i < 16; ++i) {
    greys.push_back({16 * i, 16 * i, 16 * i});
    counts.push_back(i + 1);
  }
  return ImageOf(greys, counts);
}

TEST(ColorQuantizer, TenOfSixteenLeavesAreGroupedByWeightedMeans) {
  // Groups of leaves 0 | 1-2 | 3 | 4-5 | 6-7 | 8 | 9-10 | 11 | 12-13 | 14-15, e.g. leaves
  // 1 and 2: (16 * 2 + 32 * 3) / 5 = 25.
  ColorQuantizer quantizer(10, 8);
  ASSERT_TRUE(quantizer.BuildFromImage(SixteenWeightedGreys()));
  EXPECT_EQ(quantizer.LeafCount(), 16u);
  std::vector<Rgb> expected;
  for (int grey : {0, 25, 48, 72, 104, 128, 152, 176, 200, 232}) expected.push_back({grey, grey, grey});
  EXPECT_EQ(TableOf(quantizer), expected);
}

TEST(ColorQuantizer, OneRequestedColourIsTheWeightedMeanOfAll) {
  ColorQuantizer greys(1, 8);
  ASSERT_TRUE(greys.BuildFromImage(SixteenWeightedGreys()));
  EXPECT_EQ(TableOf(greys), (std::vector<Rgb>{{160, 160, 160}}));  // 21760 / 136

  ColorQuantizer two(1, 8);
  ASSERT_TRUE(two.BuildFromImage(ImageOf({{255, 0, 0}, {0, 0, 255}}, {3, 1})));
  EXPECT_EQ(TableOf(two), (std::vector<Rgb>{{191, 0, 63}}));
}

TEST(ColorQuantizer, SmallRequestsWithFewLeavesAreCopied) {
  ColorQuantizer quantizer(10, 8);
  ASSERT_TRUE(quantizer.BuildFromImage(ImageOf({{9, 9, 9}, {200, 1, 1}})));
  EXPECT_EQ(TableOf(quantizer), (std::vector<Rgb>{{9, 9, 9}, {200, 1, 1}}));
}

TEST(ColorQuantizer, ColourBitsAbove8CountAs8AndFewerBitsJoinColours) {
  EXPECT_EQ(ColorQuantizer(16, 12).Depth(), 8u);
  EXPECT_EQ(ColorQuantizer(16, 0xFFFFFFFF).Depth(), 8u);
  ColorQuantizer coarse(16, 4);
  ASSERT_TRUE(coarse.BuildFromImage(ImageOf({{0x10, 0, 0}, {0x11, 0, 3}})));
  EXPECT_EQ(coarse.LeafCount(), 1u);
  EXPECT_EQ(TableOf(coarse), (std::vector<Rgb>{{0x10, 0, 1}}));
}

TEST(ColorQuantizer, TableNeverWritesPastItsCapacity) {
  ColorQuantizer quantizer(256, 8);
  ASSERT_TRUE(quantizer.BuildFromImage(ImageOf({{1, 1, 1}, {2, 2, 2}, {3, 3, 3}})));
  ColorTableEntry table[3];
  table[2].red = 77;
  EXPECT_EQ(quantizer.FillColorTable(table, 2), 2u);
  EXPECT_EQ(table[2].red, 77);
  EXPECT_EQ(quantizer.FillColorTable(nullptr, 5), 0u);
}

TEST(ColorQuantizer, EmptyImageGivesAnEmptyTable) {
  ColorQuantizer quantizer(256, 8);
  EXPECT_TRUE(quantizer.BuildFromImage(MemoryImage()));
  EXPECT_EQ(quantizer.LeafCount(), 0u);
  EXPECT_TRUE(TableOf(quantizer).empty());
}

// Runs out of memory after a fixed number of nodes.
class StarvedQuantizer : public ColorQuantizer {
 public:
  StarvedQuantizer(std::uint32_t colours, int nodes) : ColorQuantizer(colours, 8), nodesLeft_(nodes) {}

 protected:
  QuantizerNode* NewNode() override { return nodesLeft_-- > 0 ? ColorQuantizer::NewNode() : nullptr; }

 private:
  int nodesLeft_;
};

TEST(ColorQuantizer, NodeAllocationFailureIsReported) {
  MemoryImage image;
  ASSERT_TRUE(image.Create(50, 50));
  std::mt19937 random(11);
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 50; ++x) image.WritePixel(x, y, random() & 0xFFFFFF);
  for (int nodes : {0, 5, 9, 40}) {
    StarvedQuantizer quantizer(16, nodes);
    EXPECT_FALSE(quantizer.BuildFromImage(image)) << nodes;
    EXPECT_LE(quantizer.LeafCount(), quantizer.ColorLimit());
    TableOf(quantizer);  // still readable
  }
  StarvedQuantizer plenty(16, 1000000);
  EXPECT_TRUE(plenty.BuildFromImage(image));
}

}  // namespace
