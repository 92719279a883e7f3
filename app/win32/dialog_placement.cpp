#include "dialog_placement.h"

#include <string_view>

#include "window_placement.h"

namespace {

ScreenRect ToScreenRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

ScreenRect WorkAreaOf(HWND window) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
  return ToScreenRect(monitor.rcWork);
}

bool IsDialog(HWND window) {
  char name[16] = {};
  return GetClassNameA(window, name, sizeof name) && std::string_view(name) == "#32770";
}

void MoveOnScreen(HWND dialog) {
  RECT now;
  if (!GetWindowRect(dialog, &now)) return;
  const ScreenRect moved = MoveInside(ToScreenRect(now), WorkAreaOf(dialog));
  if (moved.left != now.left || moved.top != now.top)
    SetWindowPos(dialog, nullptr, moved.left, moved.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Moved when shown and whenever its size changes: a file dialog grows by its template only
// after it is shown. Moves alone (the user's, by the caption) are left as they are.
LRESULT CALLBACK AfterWindowProc(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && call->message == WM_WINDOWPOSCHANGED) {
    const UINT flags = reinterpret_cast<const WINDOWPOS*>(call->lParam)->flags;
    if (((flags & SWP_SHOWWINDOW) || !(flags & SWP_NOSIZE)) && IsWindowVisible(call->hwnd) &&
        !(GetWindowLongPtrA(call->hwnd, GWL_STYLE) & WS_CHILD) && IsDialog(call->hwnd))
      MoveOnScreen(call->hwnd);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void KeepDialogsOnScreen() { SetWindowsHookExA(WH_CALLWNDPROCRET, AfterWindowProc, nullptr, GetCurrentThreadId()); }

void ReturnFocusTo(HWND owner) {
  if (!owner || !IsWindow(owner) || !IsWindowEnabled(owner)) return;
  if (GetActiveWindow() != owner) SetActiveWindow(owner);
  if (GetFocus() != owner && !IsChild(owner, GetFocus())) SetFocus(owner);
}

void PlaceBeside(HWND dialog, const RECT& picture) {
  RECT dialogRect;
  if (!GetWindowRect(dialog, &dialogRect)) return;
  ScreenRect placed;
  if (PlaceBeside(dialogRect.right - dialogRect.left, dialogRect.bottom - dialogRect.top, ToScreenRect(picture),
                  WorkAreaOf(dialog), placed))
    SetWindowPos(dialog, nullptr, placed.left, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
