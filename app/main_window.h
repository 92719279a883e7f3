// The main window ("VANTORClass"): menu, three-part status bar and the map view that fills
// the rest of its client area. Its procedure creates those children, lays them out, asks
// before closing, hands keys to the map view and menu commands to the command table.
#pragma once

#include <windows.h>

// Parts of the status bar.
enum StatusPart { StatusPartSide = 0, StatusPartMode = 1, StatusPartHint = 2 };
// Popups of the main menu by position; check marks and enabled states are set through them.
enum MenuPopup {
  MenuPopupFile = 0,
  MenuPopupEdit = 1,
  MenuPopupView = 2,
  MenuPopupTools = 3,
  MenuPopupMode = 4,
  MenuPopupHelp = 5
};

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Makes the status bar with its parts and the key hint. False when the control could not be
// made; the window then runs without one.
bool CreateStatusBar(HWND mainWindow);
// The view fills the client area above the status bar (when that is shown).
void LayoutMainWindow(int width, int height);
// Shows or hides the status bar, moves the check mark and lays the window out again.
void ToggleStatusBar();
// Puts the main menu of the interface language in place of the current one, with the same
// check marks, radio mark and enabled states. Nothing when it cannot be loaded.
void ReplaceMainMenu();
// Nothing while the status bar does not exist.
void SetStatusText(StatusPart part, const char* text);
// Both do nothing while the main window or its menu does not exist.
void CheckMainMenuItem(MenuPopup popup, UINT id, bool checked);
void EnableMainMenuItem(MenuPopup popup, UINT id, bool enabled);
// The radio mark of the Mode popup on item `position` (0 to 2).
void CheckModeMenuItem(int position);
