// The View menu's zoom commands and Ctrl+wheel: whole-number zooms kMinZoom .. kMaxZoom.
#pragma once

void ZoomInCommand();     // 40064, Ctrl+Plus, Ctrl+=
void ZoomOutCommand();    // 40065, Ctrl+Minus
void ActualSizeCommand(); // 40066, Ctrl+0: one screen pixel per picture pixel
// A wheel turned by `delta` (WHEEL_DELTA units, positive away from the user) with Ctrl
// held: one zoom step per notch; fine-grained wheels add up to notches.
void ZoomByWheel(int delta);
