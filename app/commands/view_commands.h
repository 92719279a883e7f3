// The View menu: the two layers, the zoom, the status bar, the export preview and the
// interface language.
#pragma once

#include "command_context.h"

void ToggleUpperLayer(CommandContext& context);  // 40020
void ToggleLowerLayer(CommandContext& context);  // 40021
void ZoomIn(CommandContext& context);            // 40064, Ctrl+Plus, Ctrl+=
void ZoomOut(CommandContext& context);           // 40065, Ctrl+Minus
void ActualSize(CommandContext& context);        // 40066, Ctrl+0: one screen pixel per picture pixel
void ToggleStatusBar(CommandContext& context);   // 40045
void TogglePreview(CommandContext& context);     // 40062, Ctrl+E
// 40060: the interface switches to the other language at once (menu, status texts; dialogs
// and messages from their next opening on) and remembers the choice.
void SwitchLanguage(CommandContext& context);
