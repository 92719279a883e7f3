// The state of every menu command (enabled, checked, radio mark) as a pure function of the
// editing session and the view's state. The menus pull it when they open and after each
// command; nothing pushes check marks.
#pragma once

#include "edit_keys.h"
#include "editing_session.h"
#include "editor_view.h"

// What the view and the frame around it hold that the commands' states follow.
struct ViewState {
  EditMode mode = EditMode::SmallMap;
  bool statusBarShown = true;
  PreviewChoice preview;
  // Paste is grayed inside an open menu while the clipboard holds no picture; outside a menu
  // it stays enabled, so that its shortcut can say why nothing is pasted.
  bool pasteAvailable = true;
};

struct CommandState {
  bool enabled = true;
  bool checked = false;
  bool radio = false;  // the check is a radio mark (the Mode popup)
  bool operator==(const CommandState&) const = default;
};

// For a menu command id of resource.h; ids without a state of their own are enabled and
// unchecked, as the menu resource holds them.
CommandState StateOfCommand(int id, const EditingSession& session, const ViewState& view);
