// The system's save dialogs for the export's files: the SHP file, its palette, the MIX
// archive it may go into and the mission file that names it. Each offers `path` (kept when
// it does not fit a path buffer: the dialog then starts empty) and writes the chosen file's
// full name back; false, `path` unchanged, when the user cancelled.
#pragma once

#include <windows.h>

#include <string>

// Asks before replacing a file: the path is shared with the other file dialogs and may name
// a picture the user keeps.
bool ChooseShpFile(HWND owner, std::string& path);
// For a new palette asks before replacing a file; an existing one must exist.
bool ChoosePaletteFile(HWND owner, std::string& path, bool mustExist);
// An existing archive is added to, never replaced: no question about replacing it.
bool ChooseMixFile(HWND owner, std::string& path);
// The mission file is edited in place (or made): no question about replacing it either.
bool ChooseMissionFile(HWND owner, std::string& path);
