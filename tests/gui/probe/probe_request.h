// ProbeBlock: the questions the GUI test driver asks inside the editor's process.
//
// Wine keeps menus and the scroll state of a window in the memory of the process that owns
// them, so GetMenuItemInfo and GetScrollInfo fail from another process; and control messages
// that carry a pointer (SB_GETTEXTW ...) are not marshalled across processes. So the driver
// and vantorel_gui_probe.dll share one block of memory, a named file mapping per editor
// process. The driver hooks the editor's window thread (WH_CALLWNDPROC, with the DLL as the
// hook's module, which makes the editor load it) and sends it the probe message; the hook
// answers the request in the block, on the editor's own thread, between two of its messages.
//
// Nothing here makes Wine run code in the editor from outside (no remote threads, no remote
// allocations): Wine does those through a signal that may interrupt the editor inside
// malloc, and the thread it then creates deadlocks on malloc's lock.
//
// The layout is shared by both sides, which are built by the same compiler.
#pragma once

#include <windows.h>

#include <string>

enum class ProbeKind : int {
  Attach = 1,        // maps the block into the editor and tells where (`editorAddress`)
  MenuItem = 2,      // an item of the window's menu bar, by command id or by position
  ScrollBar = 3,     // the standard horizontal or vertical scroll bar of a window
  DropFile = 4,      // posts the window a drop of the file named in `text`, as the shell does
  ObjectCounts = 5,  // the GDI and USER objects the process owns (Wine's GetGuiResources answers 0)
  Beeps = 6,         // the editor's MessageBeep calls since the first such request (which starts counting)
};

struct ProbeRequest {
  // Question.
  ProbeKind kind;
  HWND window;     // MenuItem: the window whose menu bar is searched (popups included);
                   // ScrollBar: the window of the bar; DropFile: the window the file is dropped on
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

inline constexpr std::size_t kProbeScratchBytes = 8192;

struct ProbeBlock {
  ProbeRequest request;
  void* editorAddress;  // Attach: where the block lies in the editor's memory
  // Room the driver lends the editor's controls, for messages whose pointer argument must
  // point into the editor's memory.
  alignas(16) unsigned char scratch[kProbeScratchBytes];
};

// The exported hook procedure's name, and the message it answers.
inline constexpr char kProbeHookName[] = "ProbeHook";
inline constexpr wchar_t kProbeMessageName[] = L"VantorelGuiProbeRequest";

// The block's name for the editor process with that id.
inline std::wstring ProbeBlockName(DWORD editorProcessId) {
  return L"VantorelGuiProbe-" + std::to_wstring(editorProcessId);
}
