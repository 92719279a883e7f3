#include "scene_save_dialog.h"

#include <commdlg.h>

#include <cstdio>

#include "common_file_dialogs_win32.h"
#include "load_screen_document.h"
#include "scene_file_filter.h"

bool ChooseSceneToSave(HWND owner, std::string& path) {
  char chosen[kMaxPath] = "";
  // A name that does not fit is not offered; the dialog then starts empty.
  if (path.size() < sizeof chosen) std::snprintf(chosen, sizeof chosen, "%s", path.c_str());
  OPENFILENAMEA dialog = SceneFileDialog(owner, kSaveSceneCaption, chosen, sizeof chosen);
  dialog.Flags = OFN_ENABLESIZING | OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                 OFN_NOCHANGEDIR;
  if (!ShowSaveFileDialog(&dialog)) return false;
  path = chosen;
  return true;
}
