// What the scene open and save dialogs share: the file types offered and their captions.
#pragma once

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
