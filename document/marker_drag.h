// MarkerDrag: a marker moved with the mouse, from the press to the release.
//
// A press on a marker selects it and opens an undo group, so that the whole drag undoes as
// one step to the screen as it was before the press; a press elsewhere clears the selection.
// Each move keeps the point where the marker was grabbed under the pointer (the marker stays
// inside the canvas as MoveMarkerTo keeps it). Points are in canvas pixels. The editor's view
// and the test driver's model of it both drag through this object.
#pragma once

#include "load_screen_document.h"
#include "undo_history.h"

class MarkerDrag {
 public:
  // Ends any open group (a run of key moves), then grabs the first marker under `canvas`.
  // True when a marker was grabbed and the drag runs.
  bool Press(LoadScreenDocument& document, UndoHistory& history, Point canvas);
  // Moves the grabbed marker; nothing when no drag runs. The caller repaints.
  void Move(LoadScreenDocument& document, Point canvas);
  // Ends the drag and its undo group; nothing when no drag runs.
  void Release(LoadScreenDocument& document, UndoHistory& history);
  // Forgets the drag without touching the history (the marker list changed under it).
  void Cancel() { marker_ = -1; }
  bool Running() const { return marker_ != -1; }

 private:
  int marker_ = -1;
  Point grabOffset_;  // the grabbed point relative to the marker's top-left
};
