#include "scene_file_dialogs.h"

#include <commdlg.h>

#include <cstdio>

#include "common_file_dialogs_win32.h"
#include "language.h"
#include "path_limits.h"
#include "path_names.h"

namespace {

// A scene dialog owned by `owner`, titled `title`, that writes the chosen name into `chosen`
// (`size` characters); the caller adds its flags and, for opening, the folder. The texts
// live as long as the dialog runs.
struct SceneDialog {
  SceneDialog(HWND owner, Text title, char* chosen, DWORD size)
      : filter(NarrowTextOf(Text::SceneFilter)), caption(NarrowTextOf(title)) {
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = chosen;
    dialog.nMaxFile = size;
    dialog.lpstrDefExt = "ini";
    dialog.lpstrTitle = caption.c_str();
  }
  std::string filter, caption;
  OPENFILENAMEA dialog{};
};

}  // namespace

bool ChooseSceneToOpen(HWND owner, std::string& path) {
  const std::string folder = FolderOfPath(path);
  char chosen[kPathBufferSize] = "";
  SceneDialog scene(owner, Text::OpenSceneCaption, chosen, sizeof chosen);
  scene.dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  scene.dialog.Flags = OFN_ENABLESIZING | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                       OFN_NOCHANGEDIR;
  if (!ShowOpenFileDialog(&scene.dialog)) return false;
  path = chosen;
  return true;
}

bool ChooseSceneToSave(HWND owner, std::string& path) {
  char chosen[kPathBufferSize] = "";
  // A name that does not fit is not offered; the dialog then starts empty.
  if (path.size() < sizeof chosen) std::snprintf(chosen, sizeof chosen, "%s", path.c_str());
  SceneDialog scene(owner, Text::SaveSceneCaption, chosen, sizeof chosen);
  scene.dialog.Flags = OFN_ENABLESIZING | OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                       OFN_NOCHANGEDIR;
  if (!ShowSaveFileDialog(&scene.dialog)) return false;
  path = chosen;
  return true;
}
