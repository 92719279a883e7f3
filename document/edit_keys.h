// What the arrow keys move: a selected marker, or else the map or box the edit mode names.
#pragma once

#include "load_screen_document.h"
#include "undo_history.h"

enum class EditMode { SmallMap = 0, LargeMap = 1, TargetBox = 2 };

// 1; 5 with Ctrl; doubled with Shift (so 2 and 10).
int KeyStep(bool ctrl, bool shift);

// Handles one key press. With a marker selected the marker keys apply (they repaint or
// beep themselves); Shift, Ctrl and Alt alone then do nothing at all. Otherwise the arrows move, by `step`:
//  SmallMap / LargeMap: the offset in worldMap / worldMap2x, jumping to the far edge
//    (or to 0) when it leaves the map, whatever the overshoot;
//  TargetBox: targetBoxPos.y with Up / Down only, kept within 56 .. LH - SH + 48.
// The view is repainted for every key in map modes, also for keys that changed nothing.
void OnKey(LoadScreenDocument& document, EditMode mode, int key, int step);

// OnKey as the editor calls it, with its place in the undo history: every consecutive
// arrow-key move of one target (the map of the mode, the target box, or one marker),
// whatever the direction and step, undoes as one step. Presses of Shift, Ctrl or Alt alone
// do not end such a run; any other key does (and so does whatever ends the history's group:
// a command, a mouse action).
void OnKeyWithHistory(LoadScreenDocument& document, UndoHistory& history, EditMode mode, int key, int step);

bool IsArrowKey(int key);
bool IsModifierKey(int key);
// What the arrow keys move now, as a positive number: one per edit mode, one per marker.
long KeyRunTarget(const LoadScreenDocument& document, EditMode mode);
