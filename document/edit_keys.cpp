#include "edit_keys.h"

#include "marker_commands.h"

int KeyStep(bool ctrl, bool shift) {
  int step = ctrl ? 5 : 1;
  return shift ? step * 2 : step;
}

static void MoveWrapping(Point& offset, const Image& map, int key, int step) {
  const int lastX = map.width - 1, lastY = map.height - 1;
  switch (key) {
    case keys::kLeft:
      offset.x -= step;
      if (offset.x < 0) offset.x = lastX;
      break;
    case keys::kRight:
      offset.x += step;
      if (offset.x > lastX) offset.x = 0;
      break;
    case keys::kUp:
      offset.y -= step;
      if (offset.y < 0) offset.y = lastY;
      break;
    case keys::kDown:
      offset.y += step;
      if (offset.y > lastY) offset.y = 0;
      break;
    default: break;
  }
}

static void MoveTargetBox(Point& box, const LoadScreenDocument& d, int key, int step) {
  const int lowest = d.largeTargetBox.height - d.smallTargetBox.height + 48;
  int& y = box.y;
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
    // Ctrl, Shift and Alt arrive as keys of their own before every stepped arrow: they only
    // choose the step and must not beep as keys without a meaning would.
    if (IsModifierKey(key)) return;
    OnMarkerKey(document, key, step);
    return;
  }
  Point* moved = nullptr;
  Point to;
  switch (mode) {
    case EditMode::SmallMap:
      to = *(moved = &document.smallMapOffset);
      MoveWrapping(to, document.worldMap, key, step);
      break;
    case EditMode::LargeMap:
      to = *(moved = &document.largeMapOffset);
      MoveWrapping(to, document.worldMap2x, key, step);
      break;
    default:
      to = *(moved = &document.targetBoxPos);
      MoveTargetBox(to, document, key, step);
      break;
  }
  if (to.x != moved->x || to.y != moved->y) {
    document.WillChange();
    *moved = to;
  }
  document.shell().RepaintView();
}

void OnKeyWithHistory(LoadScreenDocument& document, UndoHistory& history, EditMode mode, int key, int step) {
  if (IsArrowKey(key))
    history.BeginGroup(document, KeyRunTarget(document, mode));
  else if (!IsModifierKey(key))
    history.EndGroup(document);
  OnKey(document, mode, key, step);
}

bool IsArrowKey(int key) { return key >= keys::kLeft && key <= keys::kDown; }

bool IsModifierKey(int key) {
  // Shift, Ctrl and Alt, and their left and right variants.
  return (key >= 16 && key <= 18) || (key >= 160 && key <= 165);
}

long KeyRunTarget(const LoadScreenDocument& document, EditMode mode) {
  if (document.selectedMarker != -1) return 100 + static_cast<long>(document.selectedMarker);
  return 1 + static_cast<long>(mode);
}
