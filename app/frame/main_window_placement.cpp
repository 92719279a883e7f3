#include "main_window_placement.h"

#include <optional>
#include <string>
#include <string_view>

#include "user_settings_store.h"
#include "view_zoom.h"
#include "window_placement.h"

namespace {

// The remembered rectangle on the nearest monitor's work area, at least as large as the
// window may be made and at most as large as the area: a damaged file's 1 x 1 or 99999 x
// 99999, or a place on a monitor since removed, opens where one can work with it.
RECT OnScreen(HWND window, const RECT& wanted) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoA(MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST), &monitor)) return wanted;
  // The window's own minimum, as it answers a resize (the menu bar on one line, the status
  // bar readable).
  MINMAXINFO limits{};
  limits.ptMinTrackSize = {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
  SendMessageA(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  const RECT& w = monitor.rcWork;
  const ScreenRect fitted = FitWindowOnScreen({wanted.left, wanted.top, wanted.right, wanted.bottom},
                                              {w.left, w.top, w.right, w.bottom}, limits.ptMinTrackSize.x,
                                              limits.ptMinTrackSize.y);
  return {fitted.left, fitted.top, fitted.right, fitted.bottom};
}

// The [Window] section's "key=value" lines put into the stored settings one by one, so the
// other sections and any keys a later version adds stay as they are.
void StoreSection(std::string_view section, std::string_view text) {
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::size_t equals = line.find('=');
    if (line.empty() || line.front() == '[' || equals == std::string_view::npos) continue;
    StoredSettings().SetValue(section, line.substr(0, equals), line.substr(equals + 1));
  }
}

}  // namespace

int RememberedZoom(int fallback) {
  const std::optional<std::string> zoom = StoredSettings().Value("Window", "Zoom");
  if (!zoom || zoom->size() != 1) return fallback;
  const int value = (*zoom)[0] - '0';
  return value >= kMinZoom && value <= kMaxZoom ? value : fallback;
}

void ShowMainWindow(HWND window, int showCommand) {
  WindowPlacement remembered;
  const bool normalShow = showCommand == SW_SHOWNORMAL || showCommand == SW_SHOWDEFAULT || showCommand == SW_SHOW;
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!normalShow || !ParseWindowPlacement(StoredSettings().Format(), remembered) ||
      !GetWindowPlacement(window, &placement)) {
    ShowWindow(window, showCommand);
    return;
  }
  placement.flags = 0;
  placement.showCmd = remembered.maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
  placement.rcNormalPosition = OnScreen(window, {remembered.left, remembered.top, remembered.left + remembered.width,
                                                 remembered.top + remembered.height});
  SetWindowPlacement(window, &placement);
}

void SaveMainWindowPlacement(HWND window, int zoom) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(window, &placement)) return;
  const RECT& r = placement.rcNormalPosition;
  const WindowPlacement now{r.left, r.top, r.right - r.left, r.bottom - r.top, IsZoomed(window) != FALSE};
  StoreSection("Window", FormatWindowPlacement(now));
  StoredSettings().SetValue("Window", "Zoom", std::to_string(zoom));
  std::string ignored;
  SaveUserSettings(ignored);
}
