#include "window_size_limits.h"

#include <algorithm>

#include "dpi.h"
#include "gdi_handles.h"

namespace {

SIZE MinimumWindowSize(HWND window) {
  const int dpi = WindowDpi(window);
  const auto metric = [dpi](int index) { return SystemMetricForDpi(index, dpi); };
  NONCLIENTMETRICSW metrics;
  int menuBarWidth = 0;
  HMENU menu = GetMenu(window);
  if (menu && NonClientMetricsForDpi(metrics, dpi)) {
    WindowDc screen(nullptr);
    OwnedFont font(CreateFontIndirectW(&metrics.lfMenuFont));
    SelectedObject selected(screen, font.get());
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
      wchar_t caption[64] = {};
      GetMenuStringW(menu, i, caption, 64, MF_BYPOSITION);
      RECT box{};
      DrawTextW(screen, caption, -1, &box, DT_CALCRECT | DT_SINGLELINE);
      // Each item has a character's width of room on either side.
      menuBarWidth += box.right + 2 * metric(SM_CXMENUCHECK);
    }
  }
  const int statusReadable = ScaledForDpi(270 + 150, dpi);  // the first two parts, then some of the hint
  const int frameWidth = 2 * (metric(SM_CXSIZEFRAME) + metric(SM_CXEDGE));
  const int width = std::max(menuBarWidth, statusReadable) + frameWidth;
  const int height = metric(SM_CYCAPTION) + metric(SM_CYMENU) + 2 * metric(SM_CYSIZEFRAME) + ScaledForDpi(160, dpi);
  return {width, height};
}

}  // namespace

void WindowSizeLimits::Apply(HWND window, MINMAXINFO& limits) {
  // Asked for on every move and size of the window.
  if (GetMenu(window) != measuredMenu_ || WindowDpi(window) != measuredDpi_ || minimum_.cx == 0) {
    measuredMenu_ = GetMenu(window);
    measuredDpi_ = WindowDpi(window);
    minimum_ = MinimumWindowSize(window);
  }
  limits.ptMinTrackSize.x = std::max<LONG>(limits.ptMinTrackSize.x, minimum_.cx);
  limits.ptMinTrackSize.y = std::max<LONG>(limits.ptMinTrackSize.y, minimum_.cy);
}
