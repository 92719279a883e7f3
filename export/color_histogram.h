// The distinct colours of a picture in the order they first appear (rows from the top, each
// from the left), each with its number of pixels. The top byte of a pixel is ignored.
#pragma once

#include <cstdint>
#include <vector>

#include "image.h"

class ColorHistogram {
 public:
  struct Entry {
    Pixel colour;  // red bits 16-23, green 8-15, blue 0-7
    std::uint32_t count;
  };

  // Counts every pixel of `image` (none for an image without pixels). Throws std::bad_alloc
  // when memory is short.
  explicit ColorHistogram(const Image& image);

  // In order of first appearance.
  std::vector<Entry> Entries() const;
  std::size_t DistinctCount() const { return order_.size(); }

 private:
  struct Slot {
    std::uint32_t key;  // the colour, or kEmpty
    std::uint32_t count;
  };
  static constexpr std::uint32_t kEmpty = 0xFFFFFFFF;  // no 24-bit colour
  Slot& SlotFor(std::uint32_t colour);
  void Grow();

  std::vector<Slot> slots_;  // open addressing, at most half full
  int shift_ = 0;            // 32 - log2(slots_.size())
  std::vector<Pixel> order_;
};
