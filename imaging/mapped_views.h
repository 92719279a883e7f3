// The views MappedFile has mapped, in a table that a fault handler can search while it runs:
// a fixed number of slots, no allocation and no lock, so a signal handler may use it.
//
// A view whose file another process shortens faults where the file has gone (SIGBUS on
// POSIX; under Wine an access violation, on Windows an in-page error). The handlers in
// mapped_file_posix.cpp and _win32.cpp find the view here and put zero-filled memory in its
// place, so the reader sees black pixels instead of the process stopping.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace mapped_views {

enum State : int { kFree, kClaimed, kLive, kReplacing, kReplaced, kLost };

struct Slot {
  std::atomic<int> state{kFree};
  std::atomic<std::uintptr_t> start{0};
  std::atomic<std::size_t> size{0};
};

inline constexpr int kSlotCount = 256;

// The slot now holding the view, or -1 when every slot is taken (the caller then reads the
// file instead of mapping it).
int Register(std::uint8_t* start, std::size_t size);
// Frees the slot; returns the state it had, so the owner knows what lies at the view now.
State Unregister(int slot);
// The live (or replaced) slot whose view holds `address`, or -1.
int Find(const void* address);
Slot& At(int slot);

}  // namespace mapped_views
