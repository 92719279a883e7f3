// The File menu: scenes (New, Open, Save, Save as, the recent files) and Exit. The session
// does the work and asks over unsaved changes; these choose the files.
#pragma once

#include "command_context.h"

void NewScene(CommandContext& context);                    // 40067, Ctrl+N
void OpenScene(CommandContext& context);                   // 40050, Ctrl+O
void SaveScene(CommandContext& context);                   // 40051, Ctrl+S: Save as while no scene file is named
void SaveSceneAs(CommandContext& context);                 // 40052
void OpenRecentScene(CommandContext& context, int index);  // 40070 .. 40077, newest first
void Exit(CommandContext& context);                        // 40003, as the close box
