#include "main_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "app_state.h"
#include "close_editor.h"
#include "commands.h"
#include "dpi_scaling.h"
#include "drop_files.h"
#include "editor_start.h"
#include "gdi_handles.h"
#include "map_view.h"
#include "paste_screenshot_command.h"
#include "recovery.h"
#include "recent_files_menu.h"
#include "resource.h"
#include "side_switch.h"
#include "ui_language.h"
#include "ui_texts.h"
#include "view_reports.h"
#include "zoom_commands.h"

namespace {

constexpr DWORD kStatusBarStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | SBARS_SIZEGRIP | CCS_BOTTOM;

HMENU MainMenuPopup(MenuPopup popup) {
  HWND window = App().mainWindow;
  HMENU menu = window ? GetMenu(window) : nullptr;
  return menu ? GetSubMenu(menu, popup) : nullptr;
}

// Inside the window's creation: a failure here ends the start-up, so its message is shown
// now, owned by the window, and the creation is refused.
bool RefuseCreation(HWND window, const char* message, const char* caption, UINT icon) {
  MessageBoxA(window, message, caption, icon);
  App().startupFailureReported = true;
  return false;
}

// The map view's reports land in the status bar and the Mode menu.
class MainWindowViewReports : public ViewReports {
 public:
  void ShowModeText(const char* text) override { SetStatusText(StatusPartMode, text); }
  void CheckMode(int position) override { CheckModeMenuItem(position); }
};

bool OnCreate(HWND window) {
  static MainWindowViewReports viewReports;
  SetViewReports(&viewReports);
  AppState& app = App();
  app.mainWindow = window;
  CreateStatusBar(window);
  app.view = CreateWindowExA(0, kViewWindowClass, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window,
                             nullptr, app.instance, nullptr);
  if (!app.view)
    return RefuseCreation(window, "Error: Can't create the map view.", kProgramCaption, MB_ICONERROR);
  CheckMainMenuItem(MenuPopupView, IDM_STATUS_BAR, true);
  AddRecentFilesToMenu(GetMenu(window));
  DragAcceptFiles(window, TRUE);
  return true;
}

// The smallest window that keeps the menu bar on one line and the status bar readable
// (its side and mode parts whole and a start of the key hint). Measured with the menu font,
// so it fits the captions of either language.
// All of it for the DPI of the window's monitor.
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

void ApplyMinimumSize(HWND window, MINMAXINFO& limits) {
  // Asked for on every move and size of the window: measured again only for another menu
  // (the language) or another DPI.
  static HMENU measuredMenu = nullptr;
  static int measuredDpi = 0;
  static SIZE minimum{};
  if (GetMenu(window) != measuredMenu || WindowDpi(window) != measuredDpi || minimum.cx == 0) {
    measuredMenu = GetMenu(window);
    measuredDpi = WindowDpi(window);
    minimum = MinimumWindowSize(window);
  }
  limits.ptMinTrackSize.x = std::max<LONG>(limits.ptMinTrackSize.x, minimum.cx);
  limits.ptMinTrackSize.y = std::max<LONG>(limits.ptMinTrackSize.y, minimum.cy);
}

}  // namespace

bool CreateStatusBar(HWND mainWindow) {
  AppState& app = App();
  app.statusBar = CreateWindowExA(0, STATUSCLASSNAMEA, nullptr, kStatusBarStyle, 0, 0, 0, 0, mainWindow,
                                  nullptr, app.instance, nullptr);
  if (!app.statusBar) return false;
  ScaleStatusBar(app.statusBar, WindowDpi(mainWindow));
  SetStatusText(StatusPartHint, Text(UiText::KeyHint));
  return true;
}

void LayoutMainWindow(int width, int height) {
  AppState& app = App();
  int statusBarHeight = 0;
  if (app.statusBar && IsWindow(app.statusBar) && IsWindowVisible(app.statusBar)) {
    // The control places itself at the bottom of its parent on a WM_SIZE of its own.
    SendMessageA(app.statusBar, WM_SIZE, 0, 0);
    RECT bar;
    GetWindowRect(app.statusBar, &bar);
    statusBarHeight = bar.bottom - bar.top;
  }
  if (app.view)
    SetWindowPos(app.view, HWND_TOP, 0, 0, width, std::max(height - statusBarHeight, 0), SWP_NOCOPYBITS);
}

void ToggleStatusBar() {
  AppState& app = App();
  const bool visible = app.statusBar && IsWindowVisible(app.statusBar);
  CheckMainMenuItem(MenuPopupView, IDM_STATUS_BAR, !visible);
  if (app.statusBar) ShowWindow(app.statusBar, visible ? SW_HIDE : SW_SHOW);
  RECT client;
  GetClientRect(app.mainWindow, &client);
  LayoutMainWindow(client.right, client.bottom);
}

namespace {

// Both menus have the same items in the same places: the states go over by position.
void CopyMenuStates(HMENU from, HMENU to) {
  const int count = GetMenuItemCount(from);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW source{};
    source.cbSize = sizeof source;
    source.fMask = MIIM_STATE | MIIM_FTYPE | MIIM_SUBMENU;
    MENUITEMINFOW target = source;
    if (!GetMenuItemInfoW(from, i, TRUE, &source) || !GetMenuItemInfoW(to, i, TRUE, &target)) continue;
    if (source.hSubMenu && target.hSubMenu) {
      CopyMenuStates(source.hSubMenu, target.hSubMenu);
      continue;
    }
    target.fMask = MIIM_STATE | MIIM_FTYPE;
    target.fState = source.fState;
    target.fType = (target.fType & ~MFT_RADIOCHECK) | (source.fType & MFT_RADIOCHECK);
    SetMenuItemInfoW(to, i, TRUE, &target);
  }
}

}  // namespace

void ReplaceMainMenu() {
  HWND window = App().mainWindow;
  HMENU menu = window ? LoadMainMenu() : nullptr;
  if (!menu) return;
  HMENU old = GetMenu(window);
  AddRecentFilesToMenu(menu);
  if (old) CopyMenuStates(old, menu);
  SetMenu(window, menu);
  if (old) DestroyMenu(old);
  DrawMenuBar(window);
}

void SetStatusText(StatusPart part, const char* text) {
  HWND bar = App().statusBar;
  if (bar) SendMessageA(bar, SB_SETTEXTA, part, reinterpret_cast<LPARAM>(text));
}

void CheckMainMenuItem(MenuPopup popup, UINT id, bool checked) {
  if (HMENU menu = MainMenuPopup(popup)) CheckMenuItem(menu, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void EnableMainMenuItem(MenuPopup popup, UINT id, bool enabled) {
  if (HMENU menu = MainMenuPopup(popup)) EnableMenuItem(menu, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void CheckModeMenuItem(int position) {
  if (HMENU menu = MainMenuPopup(MenuPopupMode)) CheckMenuRadioItem(menu, 0, 2, position, MF_BYPOSITION);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate(window) ? 0 : -1;
    case WM_DESTROY: {
      AppState& app = App();
      app.mainWindow = app.statusBar = app.view = nullptr;
      PostQuitMessage(0);
      return 0;
    }
    case WM_SIZE:
      LayoutMainWindow(LOWORD(lParam), HIWORD(lParam));
      break;
    case WM_CLOSE:
      CloseEditor(window);
      return 0;
    case WM_KEYDOWN:
      OnKey(static_cast<int>(wParam));
      break;
    case WM_MOUSEWHEEL:
      if (GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) {
        ZoomByWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
      }
      // The view never takes the focus, so its wheel messages come here. Shift turns the
      // vertical wheel into a horizontal one, as in other programs.
      OnViewWheel((GET_KEYSTATE_WPARAM(wParam) & MK_SHIFT) ? SB_HORZ : SB_VERT, GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    case WM_MOUSEHWHEEL:
      // A tilt to the right is positive and scrolls right.
      OnViewWheel(SB_HORZ, -GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(window, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_GETMINMAXINFO:
      ApplyMinimumSize(window, *reinterpret_cast<MINMAXINFO*>(lParam));
      return 0;
    case WM_LBUTTONDBLCLK:
      OpenLoadScreenSettings();
      break;
    case WM_COMMAND:
      RunMenuCommand(LOWORD(wParam));
      break;
    case WM_ENTERMENULOOP:
    case WM_INITMENUPOPUP:
    case WM_EXITMENULOOP:
      TrackPasteMenuItem(message);
      break;
    case WM_TIMER:
      if (wParam != kRecoveryTimerId) break;
      OnRecoveryTimer();
      return 0;
    case WM_QUERYENDSESSION:
      // Log-off or shutdown may end the program without a close: unsaved work gets its copy now.
      OnRecoveryTimer();
      break;
    case WM_DROPFILES:
      OnDropFiles(reinterpret_cast<HDROP>(wParam));
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
