// An undo group for the span of one scope: the changes made while it lives undo as one
// step (a dialog that changes the screen live). It ends on every way out of the scope, so
// no early return leaves a group open. Groups that span several events (a mouse drag, a
// run of arrow keys) use UndoHistory's BeginGroup and EndGroup instead.
#pragma once

#include "undo_history.h"

class UndoGroup {
 public:
  UndoGroup(UndoHistory& history, const LoadScreenDocument& document) : history_(history), document_(document) {
    history_.BeginGroup(document_);
  }
  ~UndoGroup() { history_.EndGroup(document_); }
  UndoGroup(const UndoGroup&) = delete;
  UndoGroup& operator=(const UndoGroup&) = delete;

 private:
  UndoHistory& history_;
  const LoadScreenDocument& document_;
};
