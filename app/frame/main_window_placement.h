// The main window's size, position, maximized state and zoom, remembered per user in the
// settings file ([Window], window_placement.h) from one clean exit to the next start.
#pragma once

#include <windows.h>

// Shows the main window where it was last, maximized if it was: its rectangle fitted onto
// the nearest monitor's work area (FitWindowOnScreen, between the window's minimum size and
// the area's); with `showCommand` where nothing is remembered or the command asks for
// something else than a normal window.
void ShowMainWindow(HWND window, int showCommand);
// Remembers where the window is now, and the view's zoom. A settings file that cannot be
// written loses only this (nothing is shown: the editor is closing).
void SaveMainWindowPlacement(HWND window, int zoom);
// The zoom the view had at the last clean exit ([Window] Zoom=1..4); `fallback` (the
// monitor's) when none is remembered.
int RememberedZoom(int fallback);
