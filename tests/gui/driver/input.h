// Keyboard and mouse input as the user gives it.
//
// Keys: the editor reads Ctrl and Shift with GetAsyncKeyState while it handles the key, so
// the modifiers go through SendInput (they change the desktop's key state at once) and stay
// down until the key message has been handled; the key itself is sent to the main window
// and handled before PressKey returns.
// Mouse: real input through SendInput at absolute screen positions, so the editor's capture
// decides which window gets the moves; every button event carries the position the pointer
// was put at, so a late echo of an earlier move cannot send the click elsewhere. The editor
// handles it after PressMouse returns.
#pragma once

#include <windows.h>

enum Modifier : int { kNoModifier = 0, kCtrl = 1, kShift = 2, kCtrlShift = 3 };

// Holds Ctrl and/or Shift down for its lifetime (SendInput), so several keys can be sent
// with the same modifiers.
class ModifierHold {
 public:
  explicit ModifierHold(int modifiers);
  ModifierHold(const ModifierHold&) = delete;
  ModifierHold& operator=(const ModifierHold&) = delete;
  ~ModifierHold();

 private:
  int modifiers_;
};

// Sends WM_KEYDOWN of `virtualKey` to `window` and waits until it was handled. False when
// the window did not handle it in time.
bool SendKey(HWND window, int virtualKey);
// SendKey with the modifiers held.
bool PressKey(HWND window, int virtualKey, int modifiers = kNoModifier);
// Presses and releases a key as the keyboard does (SendInput): it goes to the window with
// the keyboard focus, through the dialog manager when that window is in a dialog.
void TapKey(int virtualKey);
// The key pressed and released on the keyboard (SendInput) with the modifiers held: it goes
// to the window with the keyboard focus, through the program's message loop and its
// shortcuts. The caller waits for what it should do.
void TypeShortcut(int virtualKey, int modifiers);
// Puts the pointer on the screen point; false when it did not get there.
// (A late echo that moved it away again is answered with the move once more.)
bool MoveMouseTo(POINT screen);
void PressMouseButton();
void ReleaseMouseButton();
