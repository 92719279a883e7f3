// The system's open and save dialogs for scene files (*.ini).
#pragma once

#include <windows.h>

#include <string>

// Opens in the folder of `path` (the current scene, or empty). True with the chosen file's
// full name in `path`; false, `path` unchanged, when the user cancelled.
bool ChooseSceneToOpen(HWND owner, std::string& path);
// Offers `path` (the current scene, or empty), appends ".ini" to a name without an
// extension and asks before replacing a file. True with the chosen file's full name in
// `path`; false, `path` unchanged, when the user cancelled.
bool ChooseSceneToSave(HWND owner, std::string& path);
