// The View menu's commands that need the window: the status bar and the interface language
// (the layers, the zoom and the export preview are the session's and the view's,
// editor_commands.h).
#pragma once

#include "command_context.h"

void ToggleStatusBar(CommandContext& context);  // 40045
// 40060: the interface switches to the other language at once (menu, status texts; dialogs
// and messages from their next opening on) and remembers the choice.
void SwitchLanguage(CommandContext& context);
