#include "colour_histogram.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <utility>

namespace {
constexpr int kFirstSlotBits = 14;
// The table is at most 5/8 full: probes stay short (most end in the slot's cache line), and
// the table of a picture whose 416,000 pixels are 300,000 colours is 4 MB, not 8.
constexpr std::pair<std::size_t, std::size_t> kFullest{5, 8};
// Pixels looked up this far ahead of the one being counted: the table of a picture of many
// colours is larger than the processor's caches, so each lookup would otherwise wait for
// memory in turn. A table of this many slots or fewer stays in the cache.
constexpr int kLookAhead = 16;
constexpr std::size_t kSlotsInCache = std::size_t{1} << 16;
// One row in this many is sampled to size the table before counting.
constexpr int kSampleRowStep = 32;
std::uint32_t Spread(std::uint32_t colour) { return colour * 0x9E3779B1u; }
}  // namespace

ColourHistogram::ColourHistogram(const Image& image, PixelIds ids) {
  const bool hasPixels = image.valid && image.width > 0 && image.height > 0;
  // Room for the colours the sample suggests: a picture of many colours gets its table at
  // once instead of rehashing its way there; more colours than estimated make it grow.
  const std::size_t estimate = hasPixels ? EstimateColours(image) : 0;
  const int bits =
      std::max(kFirstSlotBits, static_cast<int>(std::bit_width(estimate * kFullest.second / kFullest.first)));
  slots_.assign(std::size_t{1} << bits, Slot{kEmpty, 0});
  shift_ = 32 - bits;
  if (!hasPixels) return;
  entries_.reserve(estimate);
  const bool lookAhead = slots_.size() > kSlotsInCache;
  if (ids == PixelIds::kKeep) {
    pixelIds_.reset(new std::uint32_t[static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height)]);
    lookAhead ? Count<true, true>(image) : Count<true, false>(image);
  } else {
    lookAhead ? Count<false, true>(image) : Count<false, false>(image);
  }
  // Counted: the table goes back to the heap now, where the palette and the mapping that
  // follow find memory already touched instead of fresh pages.
  std::vector<Slot>().swap(slots_);
}

namespace {

// The distinct colours of a few rows, in a small open-addressing set.
class SampleColours {
 public:
  explicit SampleColours(std::size_t room) : slots_(std::bit_ceil(2 * room + 1), kNone) {}
  // True when the colour was new.
  bool Add(std::uint32_t colour) {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = Spread(colour) & mask;; at = (at + 1) & mask) {
      if (slots_[at] == colour) return false;
      if (slots_[at] == kNone) {
        slots_[at] = colour;
        ++size_;
        return true;
      }
    }
  }
  bool Has(std::uint32_t colour) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = Spread(colour) & mask;; at = (at + 1) & mask) {
      if (slots_[at] == colour) return true;
      if (slots_[at] == kNone) return false;
    }
  }
  std::size_t Size() const { return size_; }

 private:
  static constexpr std::uint32_t kNone = 0xFFFFFFFF;
  std::vector<std::uint32_t> slots_;
  std::size_t size_ = 0;
};

}  // namespace

// From the colours of every 32nd row, split into two halves of alternate rows: how many
// colours the picture's rows add as there are more of them, n rows holding about c * n^a
// distinct colours, with a from the halves against the whole sample (1 when every colour is
// new, as in a noisy picture; nearer 0 the more the rows repeat each other's colours, as a
// load screen's frames and maps do). At most one per pixel; a few thousand pixels of work.
std::size_t ColourHistogram::EstimateColours(const Image& image) const {
  int sampledRows = 0;
  for (int y = kSampleRowStep / 2; y < image.height; y += kSampleRowStep) ++sampledRows;
  if (sampledRows < 2) return 0;
  const std::size_t perHalf = static_cast<std::size_t>(image.width) * static_cast<std::size_t>((sampledRows + 1) / 2);
  SampleColours halves[2] = {SampleColours(perHalf), SampleColours(perHalf)};
  std::size_t inBoth = 0;
  for (int half = 0; half < 2; ++half) {
    for (int sample = half; sample < sampledRows; sample += 2) {
      const Pixel* row = image.GetRow(kSampleRowStep / 2 + sample * kSampleRowStep);
      for (int x = 0; x < image.width; ++x) {
        const std::uint32_t colour = row[x] & 0xFFFFFF;
        if (halves[half].Add(colour) && half == 1 && halves[0].Has(colour)) ++inBoth;
      }
    }
  }
  const double first = static_cast<double>(halves[0].Size()), second = static_cast<double>(halves[1].Size());
  const double whole = first + second - static_cast<double>(inBoth);
  const double growth = std::log2(whole / std::max(1.0, (first + second) / 2));  // 0..1
  const double estimate = whole * std::pow(static_cast<double>(image.height) / sampledRows, growth);
  const std::size_t pixels = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
  return std::min(pixels, static_cast<std::size_t>(estimate));
}

template <bool kKeepIds, bool kPrefetch>
void ColourHistogram::Count(const Image& image) {
  std::uint32_t* idAt = pixelIds_.get();
  std::uint32_t lastColour = kEmpty, lastId = 0;
  for (int y = 0; y < image.height; ++y) {
    const Pixel* row = image.GetRow(y);
    for (int x = 0; x < image.width; ++x) {
      if (kPrefetch && x + kLookAhead < image.width)
        __builtin_prefetch(&slots_[Spread(row[x + kLookAhead] & 0xFFFFFF) >> shift_]);
      const std::uint32_t colour = row[x] & 0xFFFFFF;
      // Runs of one colour (flat areas of a load screen) skip the table.
      if (colour != lastColour) {
        const Slot& slot = slots_[Spread(colour) >> shift_];
        lastId = slot.key == colour ? slot.id : IdOf(colour);
        lastColour = colour;
      }
      ++entries_[lastId].count;
      if constexpr (kKeepIds) *idAt++ = lastId;
    }
  }
}

std::uint32_t ColourHistogram::IdOf(std::uint32_t colour) {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t at = Spread(colour) >> shift_;; at = (at + 1) & mask) {
    Slot& slot = slots_[at];
    if (slot.key == colour) return slot.id;
    if (slot.key != kEmpty) continue;
    if ((entries_.size() + 1) * kFullest.second > slots_.size() * kFullest.first) {
      Grow();
      return IdOf(colour);
    }
    slot = {colour, static_cast<std::uint32_t>(entries_.size())};
    entries_.push_back({colour, 0});
    return slot.id;
  }
}

void ColourHistogram::Grow() {
  // Four times the room at once while the table is small: a picture of very many colours
  // is rehashed less often. A large one, sized from the sample and a little short, doubles.
  const int steps = slots_.size() < kSlotsInCache * 4 ? 2 : 1;
  std::vector<Slot> old(slots_.size() << steps, Slot{kEmpty, 0});
  old.swap(slots_);
  shift_ -= steps;
  const std::size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.key == kEmpty) continue;
    std::size_t at = Spread(slot.key) >> shift_;
    while (slots_[at].key != kEmpty) at = (at + 1) & mask;
    slots_[at] = slot;
  }
}
