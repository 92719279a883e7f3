// Scene files in the editor: the File menu's Open, Save and Save as, and the scenes that
// come in by the command line or by a drop. The main window's title names the scene file,
// with " *" while the screen differs from it.
#pragma once

#include <string>

void OpenSceneCommand();    // 40050: the open dialog, then OpenSceneFile
void SaveSceneCommand();    // 40051: Save as while no scene file is named
void SaveSceneAsCommand();  // 40052: the save dialog, which asks before replacing a file
// Saves the screen to its scene file, or asks for one first (Save as). False when the user
// cancelled or the save failed (already reported).
bool SaveScreen();

// Reads the scene at `path` (relative to the current folder, or full) and, when that worked
// and the user does not keep unsaved changes (Yes saves them first, Cancel keeps the
// screen), makes it the screen with a fresh history. A scene that cannot be read is
// reported with the command-line tool's words and changes nothing. True when opened.
bool OpenSceneFile(const std::string& path);
// OpenSceneFile telling apart a scene that could not be read (reported already) from one the
// user chose to keep the screen for.
enum class SceneOpenOutcome { Opened, Unreadable, Kept };
SceneOpenOutcome TryOpenSceneFile(const std::string& path);

// Before the screen is replaced: true when it has no unsaved changes or the user let them
// go (No) or saved them (Yes); false for Cancel and for a save that failed or was cancelled.
bool MayReplaceScreen();

// Makes the scene at `recoveredPath` (a recovery copy) the screen as unsaved work that
// belongs to `originalPath` (empty: to no file), with a fresh history; unsaved changes on the
// screen are asked about first, as by OpenSceneFile. False with the reader's line in `error`
// when the copy cannot be read, with `error` empty when the user kept the screen.
bool RestoreRecoveredScene(const std::string& recoveredPath, const std::string& originalPath, std::string& error);

// "Vantorel 1.11" while no scene file is named, else "Vantorel 1.11 - <file name>", with
// " *" after it while there are unsaved changes.
void UpdateTitle();
