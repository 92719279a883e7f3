// The distinct colours of a picture in the order they first appear (rows from the top, each
// from the left), each with its number of pixels; on request also, per pixel, which of them
// it is. The top byte of a pixel is ignored.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "image.h"

class ColourHistogram {
 public:
  struct Entry {
    Pixel colour;  // red bits 16-23, green 8-15, blue 0-7
    std::uint32_t count;
  };
  enum class PixelIds { kSkip, kKeep };

  // Counts every pixel of `image` (none for an image without pixels). Throws std::bad_alloc
  // when memory is short.
  explicit ColourHistogram(const Image& image, PixelIds ids = PixelIds::kSkip);

  // In order of first appearance.
  const std::vector<Entry>& Entries() const { return entries_; }
  // With PixelIds::kKeep, one per pixel, rows from the top: the position of its colour in
  // Entries(). Null otherwise, and for a picture without pixels.
  const std::uint32_t* PixelColourIds() const { return pixelIds_.get(); }

 private:
  struct Slot {
    std::uint32_t key;  // the colour, or kEmpty
    std::uint32_t id;   // its position in entries_
  };
  static constexpr std::uint32_t kEmpty = 0xFFFFFFFF;  // no 24-bit colour
  template <bool kKeepIds, bool kPrefetch>
  void Count(const Image& image);
  std::uint32_t IdOf(std::uint32_t colour);
  void Grow();
  std::size_t EstimateColours(const Image& image) const;

  std::vector<Slot> slots_;  // open addressing, at most 5/8 full
  int shift_ = 0;            // 32 - log2(slots_.size())
  std::vector<Entry> entries_;
  std::unique_ptr<std::uint32_t[]> pixelIds_;  // not zeroed first: every one is written
};
