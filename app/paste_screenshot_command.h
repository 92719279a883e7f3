// Edit > Paste screenshot (Ctrl+V): the clipboard's picture becomes the screenshot the way
// a chosen file does (size check, crop question, crop dialog), as one undoable step.
#pragma once

#include <windows.h>

void PasteScreenshotCommand();

// Keeps the menu item's state: grayed while the clipboard holds no picture, looked at each
// time the Edit menu opens. Outside the menu the item stays enabled, so that Ctrl+V (whose
// accelerator would otherwise be swallowed by a grayed item) can say why nothing is pasted.
// Call for WM_ENTERMENULOOP, WM_INITMENUPOPUP and WM_EXITMENULOOP of the main window.
void TrackPasteMenuItem(UINT message);
