// Reading the editor's common controls from the driver's process.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "in_process_probe.h"

// Text of one status bar part (SB_GETTEXTW into the probe's memory shared with the editor).
// Empty when the part has no text or the control does not answer.
std::wstring StatusBarText(const InProcessProbe& probe, HWND statusBar, int part);
// Right edges of the status bar parts (SB_GETPARTS); empty when the control does not answer.
std::vector<int> StatusBarParts(const InProcessProbe& probe, HWND statusBar);
// Every line of a list box, top to bottom (LB_GETTEXT with a local buffer: Wine marshals it).
std::vector<std::wstring> ListBoxLines(HWND list);
// The message text of a message box (its static control 0xFFFF).
std::wstring MessageBoxText(HWND box);
// Sends a message and waits for it to be handled (2 s at most); false on time-out.
bool SendAndWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result = nullptr);
