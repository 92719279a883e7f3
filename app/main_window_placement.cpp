#include "main_window_placement.h"

#include <string>

#include "ui_language.h"
#include "window_placement.h"

namespace {

// A rectangle no monitor shows (a monitor since removed, a smaller screen) is moved onto
// the work area of the nearest one.
RECT OnVisibleMonitor(const RECT& wanted) {
  if (MonitorFromRect(&wanted, MONITOR_DEFAULTTONULL)) return wanted;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& w = monitor.rcWork;
  const ScreenRect moved = MoveInside({wanted.left, wanted.top, wanted.right, wanted.bottom}, {w.left, w.top, w.right, w.bottom});
  return {moved.left, moved.top, moved.right, moved.bottom};
}

}  // namespace

void ShowMainWindow(HWND window, int showCommand) {
  WindowPlacement remembered;
  const bool normalShow = showCommand == SW_SHOWNORMAL || showCommand == SW_SHOWDEFAULT || showCommand == SW_SHOW;
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!normalShow || !ParseWindowPlacement(ReadSettingsText(), remembered) || !GetWindowPlacement(window, &placement)) {
    ShowWindow(window, showCommand);
    return;
  }
  placement.flags = 0;
  placement.showCmd = remembered.maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
  placement.rcNormalPosition = OnVisibleMonitor({remembered.left, remembered.top, remembered.left + remembered.width,
                                                 remembered.top + remembered.height});
  SetWindowPlacement(window, &placement);
}

void SaveMainWindowPlacement(HWND window) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(window, &placement)) return;
  const RECT& r = placement.rcNormalPosition;
  const WindowPlacement now{r.left, r.top, r.right - r.left, r.bottom - r.top, IsZoomed(window) != FALSE};
  std::string ignored;
  SaveSettingsSection("Window", FormatWindowPlacement(now), ignored);
}
