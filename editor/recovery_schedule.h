// When the recovery copy of unsaved work is written: after a quiet time following a change,
// but never later than a deadline after the first unsaved change, so a burst of changes
// makes one write and a long drag or key run still gets its copy within seconds.
// Times are milliseconds of any steady clock.
#pragma once

#include <cstdint>

inline constexpr std::uint64_t kRecoveryQuietMs = 2000;
inline constexpr std::uint64_t kRecoveryDeadlineMs = 8000;

class RecoverySchedule {
 public:
  // A change at `now`: the delay until the write (at least 1), from the quiet time or what
  // is left of the deadline, whichever is shorter.
  std::uint64_t Changed(std::uint64_t now);
  // The write happened, or no copy is wanted any more: the next change starts afresh.
  void Stop() { pending_ = false; }
  bool Pending() const { return pending_; }

 private:
  bool pending_ = false;
  std::uint64_t pendingSince_ = 0;
};
