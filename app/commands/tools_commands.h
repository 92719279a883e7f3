// The Tools menu (load screen settings, screenshot settings, aligning the magnified map)
// and the Mode menu.
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
void AlignMagnifiedMap(CommandContext& context);  // 40061, Ctrl+L
void ModeSmallMap(CommandContext& context);       // 40034
void ModeLargeMap(CommandContext& context);       // 40035
void ModeTargetBox(CommandContext& context);      // 40036
