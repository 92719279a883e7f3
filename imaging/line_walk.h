// LineWalk: the step-by-step walks that DrawLine takes, with the stretch of steps that lands
// inside an image found by arithmetic, so that a line whose end lies a billion pixels away
// costs no more than one across the picture.
//
// Both walks start at (x0, y0) with n = max(|dx|, |dy|) and error terms ex = ey = 0; at each
// step they plot, add |dx| and |dy| to the error terms, and move one pixel along an axis whose
// term passed n (then less n). Image's walk moves when the term reaches n and takes n steps;
// MemoryImage's moves when it exceeds n and takes n + 2 steps.
#pragma once

struct LineWalk {
  enum class Moves { kAtN, kPastN };
  LineWalk(int x0, int y0, int x1, int y1, Moves moves);

  long long steps;  // how many points are plotted
  // The position and error terms after `step` steps, for 0 <= step <= steps.
  void At(long long step, int& x, int& y, int& ex, int& ey) const;
  // The steps [first, last) whose points lie inside 0..width-1, 0..height-1 (empty:
  // first == last). Points along a walk move one way on each axis, so they form one stretch.
  void StepsInside(int width, int height, long long& first, long long& last) const;
  // Calls plot(x, y) for every point of the walk inside 0..width-1, 0..height-1, in order.
  template <class Plot>
  void ForEachPointInside(int width, int height, Plot plot) const;

  int x0, y0, sx, sy;
  long long ax, ay, n;
  Moves moves;

 private:
  long long MovesAfter(long long step, long long a) const;
};

template <class Plot>
void LineWalk::ForEachPointInside(int width, int height, Plot plot) const {
  long long first, last;
  StepsInside(width, height, first, last);
  if (first == last) return;
  const int ax32 = static_cast<int>(ax), ay32 = static_cast<int>(ay), n32 = static_cast<int>(n);
  // An axis moves when its term reaches n (kAtN) or passes it (kPastN).
  const int limit = moves == Moves::kAtN ? n32 - 1 : n32;
  int x, y, ex, ey;
  At(first, x, y, ex, ey);
  for (long long i = first; i < last; ++i) {
    plot(x, y);
    ex += ax32;
    ey += ay32;
    if (ex > limit) {
      ex -= n32;
      x += sx;
    }
    if (ey > limit) {
      ey -= n32;
      y += sy;
    }
  }
}
