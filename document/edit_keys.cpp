#include "edit_keys.h"

#include "marker_commands.h"

const char* EditModeStatusText(EditMode mode) {
  switch (mode) {
    case EditMode::LargeMap: return "Move large map";
    case EditMode::SmallMap: return "Move small map";
    default: return "Move target box";
  }
}

int KeyStep(bool ctrl, bool shift) {
  int step = ctrl ? 5 : 1;
  return shift ? step * 2 : step;
}

static void MoveWrapping(Point& offset, const Image& map, int key, int step) {
  const int lastX = map.width - 1, lastY = map.height - 1;
  switch (key) {
    case keys::kLeft: offset.x -= step; if (offset.x < 0) offset.x = lastX; break;
    case keys::kRight: offset.x += step; if (offset.x > lastX) offset.x = 0; break;
    case keys::kUp: offset.y -= step; if (offset.y < 0) offset.y = lastY; break;
    case keys::kDown: offset.y += step; if (offset.y > lastY) offset.y = 0; break;
    default: break;
  }
}

static void MoveTargetBox(LoadScreenDocument& d, int key, int step) {
  const int lowest = d.largeTargetBox.height - d.smallTargetBox.height + 48;
  int& y = d.targetBoxPos.y;
  if (key == keys::kUp) {
    y -= step;
    if (y <= 56) y = 56;
  } else if (key == keys::kDown) {
    y += step;
    if (y > lowest) y = lowest;
  }
}

void OnKey(LoadScreenDocument& document, EditMode mode, int key, int step) {
  if (document.selectedMarker != -1) {
    OnMarkerKey(document, key, step);
    return;
  }
  switch (mode) {
    case EditMode::SmallMap: MoveWrapping(document.smallMapOffset, document.worldMap, key, step); break;
    case EditMode::LargeMap: MoveWrapping(document.largeMapOffset, document.worldMap2x, key, step); break;
    default: MoveTargetBox(document, key, step); break;
  }
  document.shell().RepaintView();
}
