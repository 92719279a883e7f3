#include "colour_histogram.h"

#include <algorithm>

namespace {
constexpr int kFirstSlotBits = 14;
std::uint32_t Spread(std::uint32_t colour) { return colour * 0x9E3779B1u; }
}  // namespace

ColourHistogram::ColourHistogram(const Image& image, PixelIds ids)
    : slots_(std::size_t{1} << kFirstSlotBits, Slot{kEmpty, 0}), shift_(32 - kFirstSlotBits) {
  if (!image.valid || image.width <= 0 || image.height <= 0) return;
  if (ids == PixelIds::kKeep) {
    pixelIds_.reset(new std::uint32_t[static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height)]);
    Count<true>(image);
  } else {
    Count<false>(image);
  }
}

template <bool kKeepIds>
void ColourHistogram::Count(const Image& image) {
  std::uint32_t* idAt = pixelIds_.get();
  for (int y = 0; y < image.height; ++y) {
    const Pixel* row = image.GetRow(y);
    for (int x = 0; x < image.width; ++x) {
      const std::uint32_t colour = row[x] & 0xFFFFFF;
      const Slot& slot = slots_[Spread(colour) >> shift_];
      const std::uint32_t id = slot.key == colour ? slot.id : IdOf(colour);
      ++entries_[id].count;
      if constexpr (kKeepIds) *idAt++ = id;
    }
  }
}

std::uint32_t ColourHistogram::IdOf(std::uint32_t colour) {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t at = Spread(colour) >> shift_;; at = (at + 1) & mask) {
    Slot& slot = slots_[at];
    if (slot.key == colour) return slot.id;
    if (slot.key != kEmpty) continue;
    if ((entries_.size() + 1) * 2 > slots_.size()) {
      Grow();
      return IdOf(colour);
    }
    slot = {colour, static_cast<std::uint32_t>(entries_.size())};
    entries_.push_back({colour, 0});
    return slot.id;
  }
}

void ColourHistogram::Grow() {
  // Four times the room at once: a picture of very many colours is rehashed less often.
  std::vector<Slot> old(slots_.size() * 4, Slot{kEmpty, 0});
  old.swap(slots_);
  shift_ -= 2;
  const std::size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.key == kEmpty) continue;
    std::size_t at = Spread(slot.key) >> shift_;
    while (slots_[at].key != kEmpty) at = (at + 1) & mask;
    slots_[at] = slot;
  }
}
