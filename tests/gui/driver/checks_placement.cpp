// Where windows go: the keyboard is back in the main window after About; the load screen
// settings dialog opens beside the picture (also the centred picture of a maximized window)
// and the image chooser inside the screen even from a window near the screen's edge; the
// main window opens where it was closed (size, position, maximized), a remembered place no
// screen shows is moved onto the screen, and a damaged one of 1 x 1 opens at the window's
// minimum size.
#include <windows.h>

#include <algorithm>
#include <string>

#include "content_dialog_steps.h"
#include "remote_controls.h"
#include "resource.h"
#include "run_language.h"
#include "scenario_support.h"
#include "scenarios.h"
#include "wide_text.h"
#include "window_search.h"

namespace {

std::string Describe(const RECT& r) {
  return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ")-(" + std::to_string(r.right) + ", " +
         std::to_string(r.bottom) + ")";
}

bool OnScreen(const RECT& r) {
  return r.left >= 0 && r.top >= 0 && r.right <= GetSystemMetrics(SM_CXSCREEN) &&
         r.bottom <= GetSystemMetrics(SM_CYSCREEN);
}

RECT WindowRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

void FocusAfterAbout(Scenario& s) {
  s.session.PostCommand(IDM_ABOUT);
  HWND about = s.session.WaitForDialog(texts::kAboutCaption);
  if (!s.log().Expect(about != nullptr, "placement.about_opens", "no About dialog")) return;
  PostMessageW(GetDlgItem(about, IDCANCEL), BM_CLICK, 0, 0);
  WaitForWindowGone(about, kDefaultWaitMs);
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  const bool ok = WaitUntil(
      [&] { return GetGUIThreadInfo(s.session.process().threadId(), &info) && info.hwndFocus == s.session.main(); },
      kDefaultWaitMs);
  s.log().Expect(ok, "placement.keyboard_back_after_about", "the focus is on another window");
}

// From a main window pushed towards the right edge: the settings dialog goes left of the
// picture, and the chooser it opens stays inside the screen.
void DialogsOnScreen(Scenario& s) {
  SetWindowPos(s.session.main(), nullptr, 420, 40, 860, 700, SWP_NOZORDER | SWP_NOACTIVATE);
  s.session.PostCommand(IDM_LOAD_SCREEN_SETTINGS);
  HWND settings = s.session.WaitForDialog(texts::kLoadScreenSettingsCaption);
  if (!s.log().Expect(settings != nullptr, "placement.settings_opens", "no settings dialog")) return;
  RECT view = WindowRect(s.session.view()), dialog = WindowRect(settings), overlap{};
  view.right = std::min<LONG>(view.right, view.left + 800);
  view.bottom = std::min<LONG>(view.bottom, view.top + 520);
  s.log().Expect(!IntersectRect(&overlap, &view, &dialog) && OnScreen(dialog), "placement.settings_beside_picture",
                 "the dialog at " + Describe(dialog) + ", the picture at " + Describe(view));
  PostMessageW(GetDlgItem(settings, IDC_SCREENSHOT_BROWSE), BM_CLICK, 0, 0);
  HWND chooser = s.session.WaitForDialog(EditorText(Text::OpenImageCaption));
  if (chooser) {
    const RECT at = WindowRect(chooser);
    s.log().Expect(OnScreen(at), "placement.chooser_inside_screen", "the chooser at " + Describe(at));
    PostMessageW(GetDlgItem(chooser, IDCANCEL), BM_CLICK, 0, 0);
    WaitForWindowGone(chooser, kDefaultWaitMs);
  } else {
    s.log().Fail("placement.chooser_inside_screen", "no image chooser");
  }
  PostMessageW(GetDlgItem(settings, IDCANCEL), BM_CLICK, 0, 0);
  WaitForWindowGone(settings, kDefaultWaitMs);
}

// In a maximized window the picture stands in the middle of the screen: the settings dialog
// still opens beside it, not at the view's corner nor on top of it.
void BesideCentredPicture(Scenario& s) {
  ShowWindow(s.session.main(), SW_MAXIMIZE);
  SendAndWait(s.session.main(), WM_NULL, 0, 0);
  s.session.PostCommand(IDM_LOAD_SCREEN_SETTINGS);
  HWND settings = s.session.WaitForDialog(texts::kLoadScreenSettingsCaption);
  if (s.log().Expect(settings != nullptr, "placement.settings_opens_when_maximized", "no settings dialog")) {
    const POINT first = s.session.CanvasToScreen({0, 0});
    const POINT last = s.session.CanvasToScreen({CanvasWidth, CanvasHeight});
    const RECT picture{first.x, first.y, last.x, last.y};
    RECT dialog = WindowRect(settings), overlap{};
    s.log().Expect(!IntersectRect(&overlap, &picture, &dialog) && OnScreen(dialog),
                   "placement.settings_beside_centred_picture",
                   "the dialog at " + Describe(dialog) + ", the picture at " + Describe(picture));
    PostMessageW(GetDlgItem(settings, IDCANCEL), BM_CLICK, 0, 0);
    WaitForWindowGone(settings, kDefaultWaitMs);
  }
  ShowWindow(s.session.main(), SW_RESTORE);
  SendAndWait(s.session.main(), WM_NULL, 0, 0);
}

// Exit with nothing unsaved ends the editor at once, remembering its place.
bool Exit(const DriverContext& context, EditorSession& session, const std::string& name) {
  session.PostCommand(IDM_EXIT);
  DWORD code = 0;
  return context.log.Expect(session.process().WaitForExit(5000, code), name, "the editor did not exit");
}

bool Restart(const DriverContext& context, EditorSession& session, const std::string& name) {
  std::string error;
  return context.log.Expect(session.Start(context.packageDir, error), name, error);
}

// A damaged place (1 x 1 far off the screen) opens at the window's minimum size, on screen.
void DamagedPlace(const DriverContext& context, const std::string& runSettings) {
  std::string error;
  WriteLanguageSettings((runSettings + "[Window]\r\nLeft=99999\r\nTop=99999\r\nWidth=1\r\nHeight=1\r\n"
                                       "Maximized=no\r\n")
                            .c_str(),
                        error);
  EditorSession session(context);
  if (!Restart(context, session, "placement.restart_damaged")) return;
  const RECT at = session.openedAt();
  // The smallest the editor lets its window be made, as a resize to 1 x 1 leaves it.
  RECT smallest{};
  SetWindowPos(session.main(), nullptr, 0, 0, 1, 1, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
  GetWindowRect(session.main(), &smallest);
  context.log.Expect(OnScreen(at) && at.right - at.left == smallest.right - smallest.left &&
                         at.bottom - at.top == smallest.bottom - smallest.top,
                     "placement.damaged_place_opens_at_minimum_size",
                     "the window opened at " + Describe(at) + ", the smallest is " + Describe(smallest));
  session.PostCommand(IDM_EXIT);
  DWORD code = 0;
  session.process().WaitForExit(5000, code);
}

}  // namespace

void RunPlacementChecks(const DriverContext& context) {
  const std::string runSettings = RunLanguage() == DriverLanguage::English ? "[Interface]\r\nLanguage=English\r\n" : "";
  std::string error;
  // A place on a monitor that is gone.
  WriteLanguageSettings((runSettings + "[Window]\r\nLeft=-5000\r\nTop=-4000\r\nWidth=900\r\nHeight=650\r\n"
                                       "Maximized=no\r\n")
                            .c_str(),
                        error);
  {
    Scenario s(context, "placement");
    if (!s.Start()) return;
    const RECT start = s.session.openedAt();
    s.Expect(OnScreen(start) && start.right - start.left == 900, "lost_place_moved_on_screen",
             "the window opened at " + Describe(start));
    FocusAfterAbout(s);
    DialogsOnScreen(s);
    BesideCentredPicture(s);

    SetWindowPos(s.session.main(), nullptr, 50, 60, 900, 650, SWP_NOZORDER | SWP_NOACTIVATE);
    if (!Exit(context, s.session, "placement.exit")) return;
  }
  {
    EditorSession session(context);
    if (!Restart(context, session, "placement.restart")) return;
    const RECT again = session.openedAt();
    context.log.Expect(again.left == 50 && again.top == 60 && again.right == 950 && again.bottom == 710,
                       "placement.size_and_position_remembered", "the window opened at " + Describe(again));
    ShowWindow(session.main(), SW_MAXIMIZE);
    if (!Exit(context, session, "placement.exit_maximized")) return;
  }
  {
    EditorSession session(context);
    if (Restart(context, session, "placement.restart_maximized"))
      context.log.Expect(session.openedMaximized(), "placement.maximized_remembered", "the window opened restored");
  }
  DamagedPlace(context, runSettings);
  // The scenarios after this one start as the run did.
  WriteLanguageSettings(runSettings.empty() ? nullptr : runSettings.c_str(), error);
}
