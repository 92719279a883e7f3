#include "marker_commands.h"

void AddMarker(LoadScreenDocument& document, const MemoryImage& image, int x, int y, int colour,
               const std::string& symbolFile) {
  Marker marker;
  marker.x = x;
  marker.y = y;
  marker.image = image;
  marker.colour = colour;
  marker.selected = false;
  marker.symbolFile = symbolFile;
  document.WillChange();
  document.markers.Append(marker);
  document.shell().MarkerListChanged();
  document.shell().SetDeleteItemEnabled(true);
}

void SelectMarker(LoadScreenDocument& document, int index) {
  MarkerList& markers = document.markers;
  for (int j = 0; j < markers.Count(); ++j) markers.MarkerAt(j).selected = j == index;
  document.shell().SetDeleteItemEnabled(true);
  document.selectedMarker = index;
  document.shell().RepaintView();
}

void ClearSelection(LoadScreenDocument& document) {
  MarkerList& markers = document.markers;
  for (int j = 0; j < markers.Count(); ++j) markers.MarkerAt(j).selected = false;
  document.shell().SetDeleteItemEnabled(false);
  document.selectedMarker = -1;
  document.shell().RepaintView();
}

void SelectNextMarker(LoadScreenDocument& document) {
  MarkerList& markers = document.markers;
  if (markers.Count() == 0) return;
  for (int i = 0; i < markers.Count(); ++i) {
    if (!markers.MarkerAt(i).selected) continue;
    markers.MarkerAt(i).selected = false;
    if (i + 1 < markers.Count()) {
      markers.MarkerAt(i + 1).selected = true;
      document.selectedMarker = i + 1;
      return;
    }
    break;
  }
  markers.MarkerAt(0).selected = true;
  document.selectedMarker = 0;
}

void DeleteSelectedMarker(LoadScreenDocument& document) {
  if (document.selectedMarker == -1) return;
  if (document.selectedMarker < document.markers.Count()) {
    document.WillChange();
    document.markers.RemoveAt(document.selectedMarker);
    document.shell().MarkerListChanged();
  }
  // No stale index is kept: the selection goes as ClearSelection clears it (which also
  // grays "Delete item").
  ClearSelection(document);
}

int HitTestMarker(const LoadScreenDocument& document, int x, int y) {
  const MarkerList& markers = document.markers;
  for (int i = markers.Count() - 1; i >= 0; --i) {
    const Marker& m = markers.MarkerAt(i);
    if (x >= m.x && y >= m.y && x <= m.x + m.image.width && y <= m.y + m.image.height) return i;
  }
  return -1;
}

void MoveMarkerTo(LoadScreenDocument& document, int index, int x, int y) {
  if (index < 0 || index >= document.markers.Count()) return;
  Marker& m = document.markers.MarkerAt(index);
  if (x < 0) x = 0;
  if (y < 0) y = 0;
  if (x >= CanvasWidth - m.image.width) x = CanvasWidth - 1 - m.image.width;
  if (y >= CanvasHeight - m.image.height) y = CanvasHeight - 1 - m.image.height;
  if (x == m.x && y == m.y) return;
  document.WillChange();
  m.x = x;
  m.y = y;
}

namespace {
// The arrow keys on the selected marker: a step, kept inside the canvas. A stale selection
// index reaches the fallback marker, and a marker already at the edge stays: no change.
void MoveSelectedMarker(LoadScreenDocument& document, int key, int step) {
  const int index = document.selectedMarker;
  if (index < 0 || index >= document.markers.Count()) return;
  Marker& m = document.markers.MarkerAt(index);
  Point to{m.x, m.y};
  switch (key) {
    case keys::kLeft:
      to.x -= step;
      if (to.x < 0) to.x = 0;
      break;
    case keys::kUp:
      to.y -= step;
      if (to.y < 0) to.y = 0;
      break;
    case keys::kRight:
      to.x += step;
      if (to.x >= CanvasWidth - m.image.width) to.x = CanvasWidth - 1 - m.image.width;
      break;
    default:
      to.y += step;
      if (to.y >= CanvasHeight - m.image.height) to.y = CanvasHeight - 1 - m.image.height;
      break;
  }
  if (to.x == m.x && to.y == m.y) return;
  document.WillChange();
  m.x = to.x;
  m.y = to.y;
}
}  // namespace

void OnMarkerKey(LoadScreenDocument& document, int key, int step) {
  if (document.selectedMarker == -1) return;
  switch (key) {
    case keys::kTab: SelectNextMarker(document); break;
    case keys::kEscape: ClearSelection(document); break;
    case keys::kDelete: DeleteSelectedMarker(document); break;
    case keys::kLeft:
    case keys::kUp:
    case keys::kRight:
    case keys::kDown: MoveSelectedMarker(document, key, step); break;
    default: document.shell().Beep(); return;
  }
  document.shell().RepaintView();
}
