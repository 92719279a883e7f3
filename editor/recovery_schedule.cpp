#include "recovery_schedule.h"

#include <algorithm>

std::uint64_t RecoverySchedule::Changed(std::uint64_t now) {
  if (!pending_) {
    pending_ = true;
    pendingSince_ = now;
  }
  const std::uint64_t deadline = pendingSince_ + kRecoveryDeadlineMs;
  return deadline <= now ? 1 : std::min(kRecoveryQuietMs, deadline - now);
}
