// The Edit menu: undo and redo, the markers, the clipboard.
#pragma once

#include "command_context.h"

void Undo(CommandContext& context);             // 40053, Ctrl+Z
void Redo(CommandContext& context);             // 40054, Ctrl+Y
void AddItem(CommandContext& context);          // 40023: the add-item dialog, placing a marker at (100, 100)
void SelectItem(CommandContext& context);       // 40025: the select-item dialog, selecting as lines are chosen
void DeleteItem(CommandContext& context);       // 40029
void CancelItem(CommandContext& context);       // 40028
void CopyToClipboard(CommandContext& context);  // 40041: the 800 x 520 picture as the view shows it
// 40063, Ctrl+V: the clipboard's picture becomes the screenshot the way a chosen file does
// (size check, crop question, crop dialog), as one undoable step.
void PasteScreenshot(CommandContext& context);
