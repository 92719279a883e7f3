#include "mapped_views.h"

namespace mapped_views {

namespace {
Slot slots[kSlotCount];
}  // namespace

Slot& At(int slot) { return slots[slot]; }

int Register(std::uint8_t* start, std::size_t size) {
  for (int i = 0; i < kSlotCount; ++i) {
    int expected = kFree;
    if (!slots[i].state.compare_exchange_strong(expected, kClaimed)) continue;
    slots[i].start.store(reinterpret_cast<std::uintptr_t>(start));
    slots[i].size.store(size);
    slots[i].state.store(kLive);
    return i;
  }
  return -1;
}

State Unregister(int slot) {
  const State was = static_cast<State>(slots[slot].state.exchange(kClaimed));
  slots[slot].start.store(0);
  slots[slot].size.store(0);
  slots[slot].state.store(kFree);
  return was;
}

int Find(const void* address) {
  const auto at = reinterpret_cast<std::uintptr_t>(address);
  for (int i = 0; i < kSlotCount; ++i) {
    const int state = slots[i].state.load();
    if (state < kLive) continue;
    const std::uintptr_t start = slots[i].start.load();
    if (at >= start && at - start < slots[i].size.load()) return i;
  }
  return -1;
}

}  // namespace mapped_views
