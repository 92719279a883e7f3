// The recent scene files: the last kMaxRecentFiles scenes opened or saved, newest first,
// kept in the per-user settings and shown in the File popup before Exit as commands
// IDM_RECENT_FILE_FIRST .. IDM_RECENT_FILE_LAST.
#pragma once

#include <windows.h>

#include <string>

// Puts `path` (a full path) first in the list, remembers the list and shows it in the menu.
// A list that cannot be written to the settings file still holds for this run.
void NoteRecentFile(const std::string& path);
// Puts the list into the File popup of `menu` (a main menu of either language), replacing
// the items it has from an earlier call.
void AddRecentFilesToMenu(HMENU menu);
// Opens the list's entry `index` (0 for the newest); one that cannot be read is reported
// and leaves the list.
void OpenRecentFile(int index);
