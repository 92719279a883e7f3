// Reading the editor's common controls from the driver's process.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Text of one status bar part (SB_GETTEXTW into a buffer in the editor's process). Empty
// when the part has no text or the control does not answer.
std::wstring StatusBarText(HANDLE process, HWND statusBar, int part);
// Right edges of the status bar parts (SB_GETPARTS); empty when the control does not answer.
std::vector<int> StatusBarParts(HANDLE process, HWND statusBar);
// Every line of a list box, top to bottom (LB_GETTEXT with a local buffer: Wine marshals it).
std::vector<std::wstring> ListBoxLines(HWND list);
// The message text of a message box (its static control 0xFFFF).
std::wstring MessageBoxText(HWND box);
// Sends a message and waits for it to be handled (2 s at most); false on time-out.
bool SendAndWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result = nullptr);
