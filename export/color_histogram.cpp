#include "color_histogram.h"

namespace {
constexpr int kFirstSlotBits = 14;
std::uint32_t Spread(std::uint32_t colour) { return colour * 0x9E3779B1u; }
}  // namespace

ColorHistogram::ColorHistogram(const Image& image)
    : slots_(std::size_t{1} << kFirstSlotBits, Slot{kEmpty, 0}), shift_(32 - kFirstSlotBits) {
  if (!image.valid) return;
  for (int y = 0; y < image.height; ++y) {
    const Pixel* row = image.GetRow(y);
    // A run of one colour is looked up once.
    for (int x = 0; x < image.width;) {
      const Pixel colour = row[x] & 0xFFFFFF;
      int end = x + 1;
      while (end < image.width && (row[end] & 0xFFFFFF) == colour) ++end;
      SlotFor(colour).count += static_cast<std::uint32_t>(end - x);
      x = end;
    }
  }
}

ColorHistogram::Slot& ColorHistogram::SlotFor(std::uint32_t colour) {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t at = Spread(colour) >> shift_;; at = (at + 1) & mask) {
    Slot& slot = slots_[at];
    if (slot.key == colour) return slot;
    if (slot.key != kEmpty) continue;
    if ((order_.size() + 1) * 2 > slots_.size()) {
      Grow();
      return SlotFor(colour);
    }
    order_.push_back(colour);
    slot.key = colour;
    return slot;
  }
}

void ColorHistogram::Grow() {
  std::vector<Slot> old(slots_.size() * 2, Slot{kEmpty, 0});
  old.swap(slots_);
  --shift_;
  const std::size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.key == kEmpty) continue;
    std::size_t at = Spread(slot.key) >> shift_;
    while (slots_[at].key != kEmpty) at = (at + 1) & mask;
    slots_[at] = slot;
  }
}

std::vector<ColorHistogram::Entry> ColorHistogram::Entries() const {
  std::vector<Entry> entries;
  entries.reserve(order_.size());
  const std::size_t mask = slots_.size() - 1;
  for (const Pixel colour : order_) {
    std::size_t at = Spread(colour) >> shift_;
    while (slots_[at].key != colour) at = (at + 1) & mask;
    entries.push_back({colour, slots_[at].count});
  }
  return entries;
}
