#include "line_walk.h"

#include <cstdlib>

namespace {
int Sign(long long v) { return (v > 0) - (v < 0); }
}  // namespace

LineWalk::LineWalk(int x0_, int y0_, int x1, int y1, Moves moves_) : x0(x0_), y0(y0_), moves(moves_) {
  const long long dx = static_cast<long long>(x1) - x0, dy = static_cast<long long>(y1) - y0;
  sx = Sign(dx);
  sy = Sign(dy);
  ax = std::llabs(dx);
  ay = std::llabs(dy);
  n = ax > ay ? ax : ay;
  steps = moves == Moves::kAtN ? n : n + 2;
}

// The error term after `step` additions of `a` holds step * a less n for each move, and
// stays in 0..n-1 (moving at n) or, once non-zero, in 1..n (moving past n).
long long LineWalk::MovesAfter(long long step, long long a) const {
  if (n == 0) return 0;
  // In 128 bits: a walk between two far-apart ints has products beyond 64.
  const __int128 total = static_cast<__int128>(step) * a;
  if (moves == Moves::kAtN) return static_cast<long long>(total / n);
  return total > 0 ? static_cast<long long>((total - 1) / n) : 0;
}

void LineWalk::At(long long step, int& x, int& y, int& ex, int& ey) const {
  const long long mx = MovesAfter(step, ax), my = MovesAfter(step, ay);
  x = static_cast<int>(x0 + sx * mx);
  y = static_cast<int>(y0 + sy * my);
  ex = static_cast<int>(static_cast<__int128>(step) * ax - static_cast<__int128>(mx) * n);
  ey = static_cast<int>(static_cast<__int128>(step) * ay - static_cast<__int128>(my) * n);
}

void LineWalk::StepsInside(int width, int height, long long& first, long long& last) const {
  // The first step in 0..steps for which `passed` holds (steps when none): `passed` turns
  // from false to true once along the walk.
  auto firstStep = [&](auto passed) {
    long long low = 0, high = steps;
    while (low < high) {
      const long long mid = low + (high - low) / 2;
      if (passed(mid))
        high = mid;
      else
        low = mid + 1;
    }
    return low;
  };
  auto coordinate = [&](long long step, int start, int sign, long long a) {
    return start + sign * MovesAfter(step, a);
  };
  // On one axis: the steps from entering 0..size-1 up to leaving it again.
  auto axis = [&](int start, int sign, long long a, int size, long long& from, long long& to) {
    auto at = [&](long long step) { return coordinate(step, start, sign, a); };
    if (sign >= 0) {
      from = firstStep([&](long long s) { return at(s) >= 0; });
      to = firstStep([&](long long s) { return at(s) >= size; });
    } else {
      from = firstStep([&](long long s) { return at(s) <= size - 1; });
      to = firstStep([&](long long s) { return at(s) < 0; });
    }
  };
  long long fromX, toX, fromY, toY;
  axis(x0, sx, ax, width, fromX, toX);
  axis(y0, sy, ay, height, fromY, toY);
  first = fromX > fromY ? fromX : fromY;
  last = toX < toY ? toX : toY;
  if (last < first) last = first;
}
