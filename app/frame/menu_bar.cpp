#include "menu_bar.h"

#include "clipboard.h"
#include "language.h"
#include "recent_files.h"
#include "resource.h"

namespace {

constexpr int kFilePopup = 0;

int PositionOf(HMENU menu, UINT id) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i)
    if (GetMenuItemID(menu, i) == id) return i;
  return -1;
}

bool IsSeparator(HMENU menu, int position) {
  MENUITEMINFOA item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_FTYPE;
  return position >= 0 && GetMenuItemInfoA(menu, position, TRUE, &item) && (item.fType & MFT_SEPARATOR);
}

}  // namespace

void MenuBar::Attach(HWND window) {
  window_ = window;
  AddRecentFiles(GetMenu(window));
  Refresh();
}

void MenuBar::Reload() {
  HMENU menu = window_ ? LoadMainMenu() : nullptr;
  if (!menu) return;
  HMENU old = GetMenu(window_);
  AddRecentFiles(menu);
  Apply(menu, viewState_());
  SetMenu(window_, menu);
  if (old) DestroyMenu(old);
  DrawMenuBar(window_);
}

// The list sits between two separators before Exit: the one before it is the menu's own.
void MenuBar::AddRecentFiles(HMENU menu) {
  HMENU file = menu ? GetSubMenu(menu, kFilePopup) : nullptr;
  if (!file) return;
  bool had = false;
  for (UINT id = IDM_RECENT_FILE_FIRST; id <= IDM_RECENT_FILE_LAST; ++id)
    had |= DeleteMenu(file, id, MF_BYCOMMAND) != 0;
  int exit = PositionOf(file, IDM_EXIT);
  if (exit < 0) return;
  if (had && IsSeparator(file, exit - 1) && IsSeparator(file, exit - 2)) DeleteMenu(file, --exit, MF_BYPOSITION);
  const std::vector<std::string>& files = session_.RecentFiles();
  if (files.empty()) return;
  for (std::size_t i = 0; i < files.size(); ++i)
    InsertMenuA(file, exit++, MF_BYPOSITION | MF_STRING, IDM_RECENT_FILE_FIRST + i,
                RecentFileCaption(static_cast<int>(i), files[i]).c_str());
  InsertMenuA(file, exit, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
}

void MenuBar::ShowRecentFiles() {
  if (!window_) return;
  AddRecentFiles(GetMenu(window_));
  DrawMenuBar(window_);
}

// Each command item of every popup takes its state; the Mode popup's items share a radio
// mark.
void MenuBar::Apply(HMENU menu, const ViewState& view) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    if (HMENU popup = GetSubMenu(menu, i)) {
      Apply(popup, view);
      continue;
    }
    const UINT id = GetMenuItemID(menu, i);
    if (id == 0 || id == static_cast<UINT>(-1)) continue;
    const CommandState state = StateOfCommand(static_cast<int>(id), session_, view);
    EnableMenuItem(menu, id, MF_BYCOMMAND | (state.enabled ? MF_ENABLED : MF_GRAYED));
    if (state.radio) {
      const int first = PositionOf(menu, IDM_MODE_SMALL_MAP), last = PositionOf(menu, IDM_MODE_TARGET_BOX);
      if (state.checked && first >= 0 && last >= first)
        CheckMenuRadioItem(menu, static_cast<UINT>(first), static_cast<UINT>(last), static_cast<UINT>(i),
                           MF_BYPOSITION);
    } else {
      CheckMenuItem(menu, id, MF_BYCOMMAND | (state.checked ? MF_CHECKED : MF_UNCHECKED));
    }
  }
}

void MenuBar::Refresh() {
  HMENU menu = window_ ? GetMenu(window_) : nullptr;
  if (!menu) return;
  ViewState view = viewState_();
  view.pasteAvailable = !inMenuLoop_ || ClipboardHoldsPicture();
  Apply(menu, view);
}

void MenuBar::OnMenuLoop(UINT message) {
  if (message == WM_ENTERMENULOOP) inMenuLoop_ = true;
  if (message == WM_INITMENUPOPUP && inMenuLoop_) Refresh();
  if (message == WM_EXITMENULOOP) {
    inMenuLoop_ = false;
    Refresh();
  }
}
