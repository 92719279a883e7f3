// InProcessProbe: asks questions inside the editor's process (see probe/probe_request.h for
// why and how). Each question hooks the editor's window thread for as long as it takes one
// message sent to the main window, answered on that thread; the first hook makes the editor
// load vantorel_gui_probe.dll, which stays loaded until the editor ends. Every wait is
// bounded. The block shared with the editor goes with this object.
#pragma once

#include <windows.h>

#include <string>

#include "probe_request.h"

struct MenuItemState {
  UINT state = 0;  // MFS_CHECKED, MFS_GRAYED ...
  UINT type = 0;   // MFT_RADIOCHECK ...
  std::wstring caption;

  bool checked() const { return (state & MFS_CHECKED) != 0; }
  bool grayed() const { return (state & MF_GRAYED) != 0; }
  bool radio() const { return (type & MFT_RADIOCHECK) != 0; }
};

struct ScrollBarState {
  int minimum = 0, maximum = 0, position = 0, page = 0;
};

// The GDI and USER objects the editor's process owns, counted inside it.
struct ObjectCounts {
  int gdiByType[16] = {};                   // by GetObjectType: OBJ_PEN 1 .. OBJ_COLORSPACE 14
  int windows = 0, menus = 0, cursors = 0;  // cursors counts icons too
};

class InProcessProbe {
 public:
  InProcessProbe() = default;
  InProcessProbe(const InProcessProbe&) = delete;
  InProcessProbe& operator=(const InProcessProbe&) = delete;
  ~InProcessProbe();

  // Shares the block with the editor with process id `processId`, whose window thread owns
  // `mainWindow`, and has the DLL at dllPath (a full path) answer a first question there.
  // False with `error` set.
  bool Attach(HWND mainWindow, DWORD processId, const std::wstring& dllPath, std::string& error);
  bool attached() const { return editorBlock_ != nullptr; }

  // The item `item` of the menu bar of `window` (a command id searched through the popups,
  // or a position in the bar). False when the editor's menu has no such item.
  bool MenuItem(HWND window, UINT item, bool byPosition, MenuItemState& out) const;
  // The standard scroll bar SB_HORZ or SB_VERT of `window`. False when it has none.
  bool ScrollBar(HWND window, int bar, ScrollBarState& out) const;
  // Drops the file (a full name) on `window`. False when the drop could not be posted.
  bool DropFile(HWND window, const std::wstring& path) const;
  // Every live GDI object and every window, menu, cursor and icon of the editor.
  bool CountObjects(ObjectCounts& out) const;
  // The editor's MessageBeep calls since the first call of this (which starts counting, 0).
  bool Beeps(int& out) const;

  // kProbeScratchBytes of memory shared with the editor: `scratch()` here, the same bytes
  // at `editorScratch()` in the editor (both null until Attach succeeded), for a control
  // message whose pointer argument Wine does not marshal across processes.
  unsigned char* scratch() const { return attached() ? block_->scratch : nullptr; }
  void* editorScratch() const;

 private:
  bool Ask(ProbeRequest& request) const;

  HANDLE mapping_ = nullptr;
  ProbeBlock* block_ = nullptr;       // the shared block, as the driver sees it
  void* editorBlock_ = nullptr;       // the same block's address in the editor
  HOOKPROC hookProcedure_ = nullptr;  // ProbeHook, in the DLL as loaded here
  HMODULE dll_ = nullptr;
  DWORD thread_ = 0;  // the editor's window thread
  HWND mainWindow_ = nullptr;
  UINT message_ = 0;
};
