#include "command_states.h"

#include "resource.h"

namespace {

CommandState Enabled(bool enabled) { return {enabled, false, false}; }
CommandState Checked(bool checked) { return {true, checked, false}; }
CommandState RadioOn(bool on) { return {true, on, true}; }

}  // namespace

CommandState StateOfCommand(int id, const EditingSession& session, const ViewState& view) {
  const LoadScreenDocument& document = session.document();
  switch (id) {
    case IDM_UNDO: return Enabled(session.history().CanUndo());
    case IDM_REDO: return Enabled(session.history().CanRedo());
    case IDM_DELETE_ITEM: return Enabled(session.DeleteItemEnabled());
    case IDM_PASTE_SCREENSHOT: return Enabled(view.pasteAvailable);
    case IDM_VIEW_TOP: return Checked(document.viewTop);
    case IDM_VIEW_BOTTOM: return Checked(document.viewBottom);
    case IDM_STATUS_BAR: return Checked(view.statusBarShown);
    case IDM_PREVIEW_AS_EXPORTED: return Checked(view.preview.on && !view.preview.ls640);
    case IDM_PREVIEW_640: return Checked(view.preview.on && view.preview.ls640);
    case IDM_MARK_INDEX0: return Checked(view.preview.markIndex0);
    case IDM_MODE_SMALL_MAP: return RadioOn(view.mode == EditMode::SmallMap);
    case IDM_MODE_LARGE_MAP: return RadioOn(view.mode == EditMode::LargeMap);
    case IDM_MODE_TARGET_BOX: return RadioOn(view.mode == EditMode::TargetBox);
    default: return {};
  }
}
