// File -> New: the screen the program starts with, without a scene file and with a fresh
// undo history.
#pragma once

// Keeps the screen as it is now as the one New gives back. Called once at start-up, before
// the user can change anything.
void RememberStartScreen();
// 40067: asks as opening a scene does over unsaved changes, then ResetToNewScene.
void NewSceneCommand();
// Puts the start screen in place without asking: no scene file, an empty history, nothing
// unsaved. Whatever else must forget the old screen belongs here.
void ResetToNewScene();
