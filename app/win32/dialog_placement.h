// Where dialogs open and where the keyboard goes when they close.
#pragma once

#include <windows.h>

// From now on every dialog of this thread (our own, message boxes and the system's file
// dialogs) is moved inside the work area of its monitor when it is shown or resized; the
// user may still move it anywhere. Called once at start-up.
void KeepDialogsOnScreen();
// After a modal dialog owned by `owner` has ended: the owner is active and has the
// keyboard again, whatever window the dialog's closing activated.
void ReturnFocusTo(HWND owner);
// Moves `dialog` beside `picture` (screen coordinates; right of it, else left), where the
// screen has room, so it does not cover what it changes; otherwise leaves it.
void PlaceBeside(HWND dialog, const RECT& picture);
