#include "scene_open_dialog.h"

#include <commdlg.h>

#include "common_file_dialogs_win32.h"
#include "load_screen_document.h"
#include "scene_file_filter.h"

bool ChooseSceneToOpen(HWND owner, std::string& path) {
  const std::string folder = FolderOfPath(path);
  char chosen[kMaxPath] = "";
  OPENFILENAMEA dialog = SceneFileDialog(owner, kOpenSceneCaption, chosen, sizeof chosen);
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.Flags = OFN_ENABLESIZING | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                 OFN_NOCHANGEDIR;
  if (!ShowOpenFileDialog(&dialog)) return false;
  path = chosen;
  return true;
}
