#include "map_alignment.h"

#include "renderer.h"

namespace {

// a mod m in 0..m-1, also for negative a.
long long Wrap(long long a, long long m) {
  const long long r = a % m;
  return r < 0 ? r + m : r;
}

int AlignAxis(int current, int smallOffset, int boxPos, int boxSize, int mapSize, int map2xSize, int window) {
  if (mapSize <= 0 || map2xSize <= 0) return current;
  const long long world = Wrap(static_cast<long long>(smallOffset) + boxPos + boxSize / 2, mapSize);
  const long long magnified = world * map2xSize / mapSize;
  return static_cast<int>(Wrap(magnified - window / 2, map2xSize));
}

}  // namespace

Point AlignedLargeMapOffset(const LoadScreenDocument& d) {
  return {AlignAxis(d.largeMapOffset.x, d.smallMapOffset.x, d.targetBoxPos.x, d.smallTargetBox.width, d.worldMap.width,
                    d.worldMap2x.width, layout::kLargeMapWidth),
          AlignAxis(d.largeMapOffset.y, d.smallMapOffset.y, d.targetBoxPos.y, d.smallTargetBox.height,
                    d.worldMap.height, d.worldMap2x.height, layout::kLargeMapHeight)};
}

void AlignLargeMap(LoadScreenDocument& document) {
  const Point aligned = AlignedLargeMapOffset(document);
  if (aligned.x != document.largeMapOffset.x || aligned.y != document.largeMapOffset.y) {
    document.WillChange();
    document.largeMapOffset = aligned;
  }
  document.shell().RepaintView();
}
