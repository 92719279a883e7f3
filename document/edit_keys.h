// What the arrow keys move: a selected marker, or else the map or box the edit mode names.
#pragma once

#include "load_screen_document.h"

enum class EditMode { SmallMap = 0, LargeMap = 1, TargetBox = 2 };

// "Move small map", "Move large map", "Move target box".
const char* EditModeStatusText(EditMode mode);
// 1; 5 with Ctrl; doubled with Shift (so 2 and 10).
int KeyStep(bool ctrl, bool shift);

// Handles one key press. With a marker selected the marker keys apply (they repaint or
// beep themselves). Otherwise the arrows move, by `step`:
//  SmallMap / LargeMap: the offset in worldMap / worldMap2x, jumping to the far edge
//    (or to 0) when it leaves the map, whatever the overshoot;
//  TargetBox: targetBoxPos.y with Up / Down only, kept within 56 .. LH - SH + 48.
// The view is repainted for every key in map modes, also for keys that changed nothing.
void OnKey(LoadScreenDocument& document, EditMode mode, int key, int step);
