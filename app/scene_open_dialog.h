// The system's open dialog for scene files (*.ini).
#pragma once

#include <windows.h>

#include <string>

// Opens in the folder of `path` (the current scene, or empty). True with the chosen file's
// full name in `path`; false, `path` unchanged, when the user cancelled.
bool ChooseSceneToOpen(HWND owner, std::string& path);
