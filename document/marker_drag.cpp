#include "marker_drag.h"

#include "marker_commands.h"

bool MarkerDrag::Press(LoadScreenDocument& document, UndoHistory& history, Point canvas) {
  history.EndGroup(document);
  marker_ = HitTestMarker(document, canvas.x, canvas.y);
  if (marker_ == -1) {
    ClearSelection(document);
    return false;
  }
  history.BeginGroup(document);
  SelectMarker(document, marker_);
  const Marker& marker = document.markers.MarkerAt(marker_);
  grabOffset_ = {canvas.x - marker.x, canvas.y - marker.y};
  return true;
}

void MarkerDrag::Move(LoadScreenDocument& document, Point canvas) {
  if (marker_ != -1) MoveMarkerTo(document, marker_, canvas.x - grabOffset_.x, canvas.y - grabOffset_.y);
}

void MarkerDrag::Release(LoadScreenDocument& document, UndoHistory& history) {
  if (marker_ == -1) return;
  marker_ = -1;
  history.EndGroup(document);
}
