// The system's save dialog for scene files (*.ini); it asks before replacing a file.
#pragma once

#include <windows.h>

#include <string>

// Offers `path` (the current scene, or empty) and appends ".ini" to a name without an
// extension. True with the chosen file's full name in `path`; false, `path` unchanged, when
// the user cancelled.
bool ChooseSceneToSave(HWND owner, std::string& path);
