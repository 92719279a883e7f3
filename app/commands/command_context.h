// What every command receives: the editing session and the services it works through. A
// command takes what it uses from here and reaches for nothing else.
#pragma once

#include <windows.h>

#include "editing_session.h"
#include "editor_view.h"
#include "prompts.h"
#include "status_line.h"

// What the main window offers the commands besides the view.
class FrameControls {
 public:
  virtual ~FrameControls() = default;
  // The owner of the commands' dialogs.
  virtual HWND Window() const = 0;
  virtual bool StatusBarShown() const = 0;
  virtual void ShowStatusBar(bool shown) = 0;
  // The menu and the status bar in the interface language now in force.
  virtual void LanguageChanged() = 0;
  // As the close box: asks over unsaved changes first.
  virtual void Close() = 0;
  // Where the view shows the picture, in screen coordinates: dialogs that change it open
  // beside it.
  virtual RECT PictureOnScreen() const = 0;
};

struct CommandContext {
  EditingSession& session;
  StatusLine& status;
  Prompts& prompts;  // owned by the main window
  EditorView& view;
  FrameControls& frame;
};
