#include "recent_files_menu.h"

#include <vector>

#include "app_state.h"
#include "file_commands.h"
#include "main_window.h"
#include "recent_files.h"
#include "resource.h"
#include "user_settings_store.h"

namespace {

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

void StoreList(const std::vector<std::string>& files) {
  StoredSettings().SetRecentFiles(files);
  std::string reason;
  SaveUserSettings(reason);
  if (HWND window = App().mainWindow) {
    AddRecentFilesToMenu(GetMenu(window));
    DrawMenuBar(window);
  }
}

}  // namespace

void AddRecentFilesToMenu(HMENU menu) {
  HMENU file = menu ? GetSubMenu(menu, MenuPopupFile) : nullptr;
  if (!file) return;
  bool had = false;
  for (UINT id = IDM_RECENT_FILE_FIRST; id <= IDM_RECENT_FILE_LAST; ++id) had |= DeleteMenu(file, id, MF_BYCOMMAND) != 0;
  int exit = PositionOf(file, IDM_EXIT);
  if (exit < 0) return;
  // The list sits between two separators: the one before it is the menu's own.
  if (had && IsSeparator(file, exit - 1) && IsSeparator(file, exit - 2)) DeleteMenu(file, --exit, MF_BYPOSITION);
  const std::vector<std::string> files = StoredSettings().RecentFiles();
  if (files.empty()) return;
  for (std::size_t i = 0; i < files.size(); ++i)
    InsertMenuA(file, exit++, MF_BYPOSITION | MF_STRING, IDM_RECENT_FILE_FIRST + i,
                RecentFileCaption(static_cast<int>(i), files[i]).c_str());
  InsertMenuA(file, exit, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
}

void NoteRecentFile(const std::string& path) {
  std::vector<std::string> files = StoredSettings().RecentFiles();
  AddRecentFile(files, path);
  StoreList(files);
}

void OpenRecentFile(int index) {
  const std::vector<std::string> files = StoredSettings().RecentFiles();
  if (index < 0 || index >= static_cast<int>(files.size())) return;
  const std::string path = files[static_cast<std::size_t>(index)];
  if (TryOpenSceneFile(path) != SceneOpenOutcome::Unreadable) return;
  std::vector<std::string> kept = files;
  RemoveRecentFile(kept, path);
  StoreList(kept);
}
