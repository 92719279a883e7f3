// The menu commands that need nothing but the editing session and the view: undo and redo,
// the layers, the marker selection, aligning the magnified map, the edit modes, the zoom
// (fit to window too) and the export preview (of the 800 x 520 or the 640 x 400 picture, with
// entry 0 marked). The editor's command table runs them through here, and so does any model
// of the editor (the GUI test driver's), so both take the same steps.
#pragma once

#include "editing_session.h"
#include "editor_view.h"

// Ends an open undo group first, as every command does (a run of key moves, a drag), then
// runs the command of menu id `id`. False, after ending the group, for ids that need more
// than the session and the view (files, dialogs, the clipboard, the window).
bool RunEditorCommand(EditingSession& session, EditorView& view, int id);
