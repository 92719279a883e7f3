// Leaving the editor: the close box and File > Exit both come here.
#pragma once

#include <windows.h>

// With unsaved changes, asks "Save changes to <scene>?": Yes saves (Save as for a screen
// that has no scene file yet) and closes only when the save worked, No closes, Cancel (or
// a box that cannot be shown) keeps the editor. With nothing unsaved, closes at once.
// Everything a clean exit must do happens here, before the window is destroyed.
void CloseEditor(HWND mainWindow);
