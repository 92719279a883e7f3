// The main window's menu bar: the menu of the interface language with the recent scene
// files in its File popup, every item's state pulled from the command states (when a popup
// opens, and whenever they may have changed). Nothing else touches the menu.
#pragma once

#include <windows.h>

#include <functional>

#include "command_states.h"
#include "editing_session.h"

class MenuBar {
 public:
  // `viewState` gives what the view and the frame hold now.
  MenuBar(const EditingSession& session, std::function<ViewState()> viewState)
      : session_(session), viewState_(std::move(viewState)) {}
  // The menu `window` was created with: the recent files go in, the states are pulled.
  void Attach(HWND window);
  // The menu of the interface language now in force in place of the current one. Nothing
  // when it cannot be loaded.
  void Reload();
  // The recent files again, after the list changed.
  void ShowRecentFiles();
  // Every item's state from the command states.
  void Refresh();
  // WM_ENTERMENULOOP, WM_INITMENUPOPUP and WM_EXITMENULOOP of the window. Inside the menu
  // loop Paste is grayed while the clipboard holds no picture; outside it stays enabled,
  // so that Ctrl+V (whose accelerator a grayed item would swallow) can say why nothing is
  // pasted.
  void OnMenuLoop(UINT message);

 private:
  void AddRecentFiles(HMENU menu);
  void Apply(HMENU menu, const ViewState& view);

  const EditingSession& session_;
  std::function<ViewState()> viewState_;
  HWND window_ = nullptr;
  bool inMenuLoop_ = false;
};
