#include "history_commands.h"

#include "app_state.h"
#include "file_commands.h"
#include "main_window.h"
#include "recovery.h"
#include "resource.h"

void UndoCommand() { History().Undo(Document()); }
void RedoCommand() { History().Redo(Document()); }

void ShowHistoryState() {
  const UndoHistory& history = History();
  EnableMainMenuItem(MenuPopupEdit, IDM_UNDO, history.CanUndo());
  EnableMainMenuItem(MenuPopupEdit, IDM_REDO, history.CanRedo());
  UpdateTitle();
  OnDocumentChanged();
}
