// Finding the editor's windows from outside its process.
//
// Window classes, captions and styles live in the window server under Wine, so these calls
// work across processes; control texts are asked with WM_GETTEXT (which Wine marshals).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Top-level windows of process `processId`, optionally only those of `className`.
std::vector<HWND> TopLevelWindowsOf(DWORD processId, const wchar_t* className = nullptr);
// The first visible top-level window of the process with the class and (when given) the
// caption, waiting up to timeoutMs; null when none shows up.
HWND WaitForTopLevelWindow(DWORD processId, const wchar_t* className, const wchar_t* caption, int timeoutMs);
// A dialog (class "#32770") of the process, as above.
HWND WaitForDialog(DWORD processId, const wchar_t* caption, int timeoutMs);
// True once `window` is no longer a window (a dialog closed), waiting up to timeoutMs.
bool WaitForWindowGone(HWND window, int timeoutMs);

std::wstring ClassNameOf(HWND window);
std::wstring CaptionOf(HWND window);
// The text of a control in another process (WM_GETTEXT).
std::wstring ControlText(HWND control);
// The child of `parent` with this class, or null.
HWND ChildOfClass(HWND parent, const wchar_t* className);
