// The Tools menu's dialogs: the load screen settings and the screenshot settings (aligning
// the magnified map and the Mode menu are the session's and the view's, editor_commands.h).
#pragma once

#include "command_context.h"

// 40030, and a double click on the main window: the load screen settings dialog, each
// choice taken at once.
void LoadScreenSettings(CommandContext& context);
// 40043: the colourize dialog opens with the colour settings in force and recomputes the
// screenshot from its uncoloured copy; anything but OK puts the settings in force back.
// Without a screenshot there is nothing to colourize. Everything the dialog does undoes as
// one step, and a cancelled dialog leaves none.
void ScreenshotSettings(CommandContext& context);
