// Undo and Redo in the Edit menu, grayed while there is nothing to undo or redo.
#pragma once

void UndoCommand();  // 40053, Ctrl+Z
void RedoCommand();  // 40054, Ctrl+Y

// Grays or enables Undo and Redo and updates the title: the history's listener.
void ShowHistoryState();
