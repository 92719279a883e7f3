#include "editor_frame.h"

#include <shellapi.h>

#include <algorithm>

#include "command_table.h"
#include "dpi.h"
#include "dropped_file.h"
#include "language.h"
#include "main_window_placement.h"
#include "path_limits.h"
#include "path_names.h"
#include "paths.h"
#include "resource.h"
#include "user_settings_store.h"

EditorFrame::EditorFrame()
    : view_(session_, status_, prompts_, [this] { menuBar_.Refresh(); }),
      menuBar_(session_, [this] { return CurrentViewState(); }) {}

// The session outlives no observer: it is told of nothing while the members go.
EditorFrame::~EditorFrame() { session_.SetObserver(nullptr); }

bool EditorFrame::RegisterWindowClasses(WNDCLASSEXA base) {
  WNDCLASSEXA main = base;
  main.lpfnWndProc = Procedure;
  main.lpszClassName = kMainWindowClass;
  // The view and the status bar cover the client area; what shows of it before they are
  // placed is the frame's grey, never the window colour's white.
  main.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  return RegisterClassExA(&main) && MapView::RegisterWindowClass(base);
}

HWND EditorFrame::Create(bool& failureShown) {
  // The menu of the interface language; the class menu only when that cannot be loaded.
  const std::string title = NarrowTextOf(Text::ProgramTitle);
  const HWND window = CreateWindowExA(WS_EX_OVERLAPPEDWINDOW, kMainWindowClass, title.c_str(),
                                      WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, CW_USEDEFAULT,
                                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, LoadMainMenu(),
                                      GetModuleHandleA(nullptr), this);
  failureShown = creationFailureShown_;
  return window;
}

ViewState EditorFrame::CurrentViewState() const {
  ViewState state;
  state.mode = view_.Mode();
  state.statusBarShown = statusBarShown_;
  state.preview = view_.Preview();
  return state;
}

bool EditorFrame::OnCreate(HWND window) {
  window_ = window;
  prompts_.SetOwner(window);
  recovery_.SetWindow(window);
  statusBarShown_ = statusBar_.Create(window);
  if (!view_.Create(window)) {
    // Inside the window's creation: a failure here ends the start-up, so its message is
    // shown now, owned by the window, and the creation is refused.
    prompts_.Tell(Report({{Text::MapViewFailed}}));
    creationFailureShown_ = true;
    return false;
  }
  menuBar_.Attach(window);
  DragAcceptFiles(window, TRUE);
  return true;
}

void EditorFrame::Layout() {
  RECT client;
  if (!window_ || !GetClientRect(window_, &client)) return;
  const int statusBarHeight = statusBar_.PlaceAndMeasure();
  if (view_.window())
    SetWindowPos(view_.window(), HWND_TOP, 0, 0, client.right, std::max<LONG>(client.bottom - statusBarHeight, 0),
                 SWP_NOCOPYBITS);
}

void EditorFrame::ShowStatusBar(bool shown) {
  statusBarShown_ = shown;
  statusBar_.Show(shown);
  Layout();
}

void EditorFrame::LanguageChanged() {
  menuBar_.Reload();
  statusBar_.RedrawAll();
}

void EditorFrame::ShowTitle() {
  if (window_) SetWindowTextW(window_, WideLine(session_.Title()).c_str());
}

void EditorFrame::ScreenChanged() {
  // A report of what was written no longer tells of the screen shown.
  status_.EndReport();
  recovery_.Changed();
}

void EditorFrame::HistoryChanged() {
  ShowTitle();
  menuBar_.Refresh();
  recovery_.Changed();
}

void EditorFrame::RecentFilesChanged() {
  // A list that cannot be written to the settings file still holds for this run.
  StoredSettings().SetRecentFiles(session_.RecentFiles());
  std::string reason;
  SaveUserSettings(reason);
  menuBar_.ShowRecentFiles();
}

void EditorFrame::SceneSaved(const std::string& path) {
  status_.ShowReport({{Text::SavedFile, {{"file", FileNameOfPath(path)}}}});
}

void EditorFrame::OpenScene(const std::string& path) { session_.Open(FullPathOf(path), prompts_); }

void EditorFrame::Command(int id) {
  RunCommand(context_, id);
  menuBar_.Refresh();
}

// With unsaved changes, asks "Save changes to <scene>?": Yes saves (Save as for a screen
// that has no scene file yet) and closes only when the save worked, No closes, Cancel (or
// a box that cannot be shown) keeps the editor. Everything a clean exit must do happens
// here, before the window is destroyed.
void EditorFrame::OnClose() {
  if (!session_.MayClose(prompts_)) return;
  SaveMainWindowPlacement(window_, view_.Zoom());
  DestroyWindow(window_);
}

// Of several files dropped at once only the first is used.
void EditorFrame::OnDropFiles(HDROP drop) {
  char path[kPathBufferSize] = "";
  const UINT length = DragQueryFileA(drop, 0, nullptr, 0);
  const bool fits = length > 0 && length < sizeof path && DragQueryFileA(drop, 0, path, sizeof path) == length;
  DragFinish(drop);
  if (fits)
    OpenDroppedFile(context_, path);
  else if (length > 0)
    RefuseDroppedFile(context_);
  else
    session_.EndGroup();
  menuBar_.Refresh();
}

void EditorFrame::OnDpiChanged(int dpi, const RECT& suggested) {
  statusBar_.OnDpiChanged(dpi);
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  Layout();
}

LRESULT CALLBACK EditorFrame::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* frame = static_cast<EditorFrame*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(frame));
  }
  auto* frame = reinterpret_cast<EditorFrame*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  return frame ? frame->Handle(window, message, wParam, lParam) : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT EditorFrame::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: return OnCreate(window) ? 0 : -1;
    case WM_DESTROY:
      window_ = nullptr;
      recovery_.SetWindow(nullptr);
      PostQuitMessage(0);
      return 0;
    case WM_SIZE: Layout(); break;
    case WM_CLOSE: OnClose(); return 0;
    case WM_KEYDOWN: view_.OnKey(static_cast<int>(wParam)); break;
    case WM_MOUSEWHEEL:
      if (GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) {
        view_.OnZoomWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
      }
      // The view never takes the focus, so its wheel messages come here. Shift turns the
      // vertical wheel into a horizontal one, as in other programs.
      view_.OnWheel((GET_KEYSTATE_WPARAM(wParam) & MK_SHIFT) ? SB_HORZ : SB_VERT, GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    case WM_MOUSEHWHEEL:
      // A tilt to the right is positive and scrolls right.
      view_.OnWheel(SB_HORZ, -GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    case WM_DPICHANGED: OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_GETMINMAXINFO: sizeLimits_.Apply(window, *reinterpret_cast<MINMAXINFO*>(lParam)); return 0;
    case WM_LBUTTONDBLCLK: Command(IDM_LOAD_SCREEN_SETTINGS); break;
    case WM_COMMAND: Command(LOWORD(wParam)); break;
    case WM_ENTERMENULOOP:
    case WM_INITMENUPOPUP:
    case WM_EXITMENULOOP: menuBar_.OnMenuLoop(message); break;
    case WM_TIMER:
      if (wParam != RecoveryCopies::kTimerId) break;
      recovery_.Write();
      return 0;
    case WM_QUERYENDSESSION:
      // Log-off or shutdown may end the program without a close: unsaved work gets its copy now.
      recovery_.Write();
      break;
    case WM_DROPFILES: OnDropFiles(reinterpret_cast<HDROP>(wParam)); return 0;
    default: break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
