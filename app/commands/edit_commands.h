// The Edit menu's commands that need the window: the marker dialogs and the clipboard (undo,
// redo, deleting and cancelling the selection are the session's, editor_commands.h).
#pragma once

#include "command_context.h"

void AddItem(CommandContext& context);          // 40023: the add-item dialog, placing a marker at (100, 100)
void SelectItem(CommandContext& context);       // 40025: the select-item dialog, selecting as lines are chosen
void CopyToClipboard(CommandContext& context);  // 40041: the 800 x 520 picture as the view shows it
// 40063, Ctrl+V: the clipboard's picture becomes the screenshot the way a chosen file does
// (size check, crop question, crop dialog), as one undoable step.
void PasteScreenshot(CommandContext& context);
