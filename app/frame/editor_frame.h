// EditorFrame: the main window ("VANTORClass") and everything the editor is made of. It owns
// the editing session and the services (status line, prompts, recovery copies), the map
// view that fills the client area above the status bar, the status bar and the menu bar,
// and hands each command the CommandContext. It is the session's observer, so the view,
// the status line, the menus, the title and the recovery copies follow the document, and it
// offers the commands the FrameControls.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "command_context.h"
#include "editing_session.h"
#include "map_view.h"
#include "menu_bar.h"
#include "message_box_prompts.h"
#include "recovery_copies.h"
#include "status_bar.h"
#include "status_line.h"
#include "window_size_limits.h"

inline constexpr char kMainWindowClass[] = "VANTORClass";

class EditorFrame final : public SessionObserver, public FrameControls {
 public:
  EditorFrame();
  ~EditorFrame() override;

  EditingSession& session() { return session_; }
  MapView& view() { return view_; }
  RecoveryCopies& recovery() { return recovery_; }
  Prompts& prompts() { return prompts_; }

  // Both window classes, on `base` (instance, icons, cursor, menu).
  bool RegisterWindowClasses(WNDCLASSEXA base);
  // The main window with its menu of the interface language, status bar and view, hidden.
  // Null when it could not be made; `failureShown` tells whether its creation has shown its
  // own message already.
  HWND Create(bool& failureShown);
  HWND window() const { return window_; }

  // Opens the scene a start names (relative or full).
  void OpenScene(const std::string& path);
  // The menus again, once the window shows.
  void RefreshMenus() { menuBar_.Refresh(); }
  // The recent files of the settings, into the session and the File menu.
  void ShowRecentFiles(std::vector<std::string> files) {
    session_.SetRecentFiles(std::move(files));
    menuBar_.ShowRecentFiles();
  }
  // The document's picture is ready: the view draws it.
  void ShowPicture() { view_.ShowPicture(); }

  // SessionObserver.
  void Repaint() override { view_.Repaint(); }
  void SideChanged(const std::string& text) override { status_.ShowSide(text); }
  void Beep() override { MessageBeep(MB_ICONEXCLAMATION); }
  void MarkerListChanged() override { view_.EndDrag(); }
  void ScreenChanged() override;
  void HistoryChanged() override;
  void CommandStatesChanged() override { menuBar_.Refresh(); }
  void RecentFilesChanged() override;
  void SceneSaved(const std::string& path) override;

  // FrameControls.
  HWND Window() const override { return window_; }
  bool StatusBarShown() const override { return statusBarShown_; }
  void ShowStatusBar(bool shown) override;
  void LanguageChanged() override;
  void Close() override { SendMessageA(window_, WM_CLOSE, 0, 0); }
  RECT PictureOnScreen() const override { return view_.PictureOnScreen(); }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool OnCreate(HWND window);
  void OnClose();
  void OnDropFiles(HDROP drop);
  void OnDpiChanged(int dpi, const RECT& suggested);
  void Layout();
  void ShowTitle();
  void Command(int id);
  ViewState CurrentViewState() const;

  HWND window_ = nullptr;
  bool creationFailureShown_ = false;
  bool statusBarShown_ = true;
  EditingSession session_{this};
  StatusLine status_;
  MessageBoxPrompts prompts_;
  MapView view_;
  StatusBar statusBar_{status_};
  MenuBar menuBar_;
  RecoveryCopies recovery_{session_, status_};
  WindowSizeLimits sizeLimits_;
  CommandContext context_{session_, status_, prompts_, view_, *this};
};
