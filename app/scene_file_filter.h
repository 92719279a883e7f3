// What the scene open and save dialogs share: the file types offered, their captions and
// the common part of the dialog's description.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <string>

inline constexpr char kSceneFilter[] = "Scene files (*.ini)\0*.ini\0All files (*.*)\0*.*\0";
inline constexpr char kSceneExtension[] = "ini";
inline constexpr char kOpenSceneCaption[] = "Open scene";
inline constexpr char kSaveSceneCaption[] = "Save scene as";

// The folder part of a path, with its trailing backslash; empty when it has none.
inline std::string FolderOfPath(const std::string& path) {
  const auto slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A scene dialog owned by `owner`, titled `title`, that writes the chosen name into `chosen`
// (`size` characters); the caller adds its flags and, for opening, the folder.
inline OPENFILENAMEA SceneFileDialog(HWND owner, const char* title, char* chosen, DWORD size) {
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = kSceneFilter;
  dialog.lpstrFile = chosen;
  dialog.nMaxFile = size;
  dialog.lpstrDefExt = kSceneExtension;
  dialog.lpstrTitle = title;
  return dialog;
}
