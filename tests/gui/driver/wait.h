// Polling: the editor runs in another process, so the driver waits for what it expects to
// see rather than sleeping for a fixed time. A check that holds returns at once; one that
// never holds costs its timeout.
#pragma once

#include <windows.h>

inline constexpr int kDefaultWaitMs = 3000;

template <class Condition>
bool WaitUntil(Condition condition, int timeoutMs = kDefaultWaitMs, int pollMs = 10) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(pollMs);
  }
}
