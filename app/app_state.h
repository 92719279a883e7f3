// The editor's process-wide state: the instance and window handles, the one load screen
// document with its window-layer services, and the two surfaces that live for the whole run
// (the map view's canvas and the add-item dialog's symbol preview).
//
// The objects are made before WinMain runs, in this order: the symbol preview, the view
// canvas, the document, its undo history; they are destroyed in the reverse order after it
// returns. Window handles are null until the main window's creation sets them.
#pragma once

#include <windows.h>

#include <string>

#include "dib_image.h"
#include "load_screen_document.h"
#include "undo_history.h"

struct AppState {
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  HWND mainWindow = nullptr;
  HWND statusBar = nullptr;  // null when the status bar could not be made
  HWND view = nullptr;
  // The About dialog fades in and out while this is set; it is set at start-up and never
  // changed.
  bool animateDialogs = false;
  // A start-up failure inside the main window's creation already showed its message.
  bool startupFailureReported = false;
  // The last file chosen in the screenshot chooser, the SHP file dialog or the save-as-image
  // dialog; each of them opens with it and writes its choice back. Empty at start.
  char exportPath[kMaxPath] = {};
  // The scene file the screen was last opened from or saved to; empty before the first.
  std::string scenePath;
};

AppState& App();
// The one document. Its appDir is the program's folder, ending with a backslash.
LoadScreenDocument& Document();
// The document's undo history, its change recorder from the end of start-up on.
UndoHistory& History();
// The map view's 800 x 520 back buffer.
DibImage& ViewCanvas();
// The recoloured symbol of the add-item dialog; emptied each time that dialog has closed.
DibImage& SymbolPreview();

// The main window's title while no scene file is named.
inline constexpr char kProgramTitle[] = "Vantorel 1.11";
// Window class names.
inline constexpr char kMainWindowClass[] = "VANTORClass";
inline constexpr char kViewWindowClass[] = "ViewClass";
// Captions of the message boxes.
inline constexpr char kProgramCaption[] = "Vantorel";
inline constexpr char kErrorCaption[] = "Error";
