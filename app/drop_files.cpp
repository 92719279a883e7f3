#include "drop_files.h"

#include <shellapi.h>

#include <cctype>
#include <string>
#include <utility>

#include "app_state.h"
#include "file_commands.h"
#include "image_files.h"
#include "screenshot_choice.h"

namespace {

constexpr char kNotReadable[] = "Error: Can't open the dropped file!\nIt is neither a scene file (.ini) nor a picture.";
constexpr char kPathTooLong[] = "Error: The path of the dropped file is too long.";

bool IsSceneFile(const std::string& path) {
  const auto dot = path.find_last_of('.');
  if (dot == std::string::npos || path.find_first_of("\\/", dot) != std::string::npos) return false;
  std::string extension = path.substr(dot);
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == ".ini";
}

}  // namespace

void OnDropFiles(HDROP drop) {
  char path[kMaxPath] = "";
  const UINT length = DragQueryFileA(drop, 0, nullptr, 0);
  const bool fits = length > 0 && length < sizeof path && DragQueryFileA(drop, 0, path, sizeof path) == length;
  DragFinish(drop);
  History().EndGroup(Document());
  if (!fits) {
    if (length > 0) MessageBoxA(App().mainWindow, kPathTooLong, kProgramCaption, MB_ICONERROR);
    return;
  }
  if (IsSceneFile(path)) {
    OpenSceneFile(path);
    return;
  }
  MemoryImage picture;
  std::string reason;
  if (!LoadImageFile(path, picture, reason)) {
    const std::string text = std::string(kNotReadable) + "\n" + path + ": " + reason;
    MessageBoxA(App().mainWindow, text.c_str(), kProgramCaption, MB_ICONERROR);
    return;
  }
  TakeScreenshotFrom(App().mainWindow, std::move(picture), path);
}
