// ProbeRequest: one question the GUI test driver asks inside the editor's process.
//
// Wine keeps menus and the scroll state of a window in the memory of the process that owns
// them, so GetMenuItemInfo and GetScrollInfo fail from another process. The driver loads
// vantorel_gui_probe.dll into the editor, writes a ProbeRequest into the editor's memory and
// runs ProbeThread on it with CreateRemoteThread; the answer is written back into the same
// block. The layout is shared by both sides, which are built by the same compiler.
#pragma once

#include <windows.h>

enum class ProbeKind : int {
  MenuItem = 1,      // an item of the window's menu bar, by command id or by position
  ScrollBar = 2,     // the standard horizontal or vertical scroll bar of a window
  DropFile = 3,      // posts the window a drop of the file named in `text`, as the shell does
  ObjectCounts = 4,  // the GDI and USER objects the process owns (Wine's GetGuiResources answers 0)
  Beeps = 5,         // the editor's MessageBeep calls since the first such request (which starts counting)
};

struct ProbeRequest {
  // Question.
  ProbeKind kind;
  HWND window;     // MenuItem: the window whose menu bar is searched (popups included);
                   // DropFile: the window the file is dropped on
  UINT item;       // MenuItem: command id, or position in the menu bar when byPosition
  int byPosition;  // MenuItem: 1 to address the menu bar's item by position
  int bar;         // ScrollBar: SB_HORZ or SB_VERT
  // Answer.
  int ok;                                // the Win32 call succeeded
  UINT state;                            // MenuItem: fState (MFS_CHECKED, MFS_GRAYED ...)
  UINT type;                             // MenuItem: fType (MFT_RADIOCHECK ...)
  wchar_t text[256];                     // MenuItem: the caption; DropFile: the file's full name
  int minimum, maximum, position, page;  // ScrollBar
  int gdiByType[16];            // ObjectCounts: live GDI objects by GetObjectType (OBJ_PEN 1 .. OBJ_COLORSPACE 14)
  int windows, menus, cursors;  // ObjectCounts: the process's windows, menus, cursors and icons
  int beeps;                    // Beeps
};

// The exported thread routine's name.
inline constexpr char kProbeThreadName[] = "ProbeThread";
