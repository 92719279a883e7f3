// A file dropped on the main window: a scene file (.ini) is opened, any other file is taken
// as the screenshot, with the checks and the crop question of the load screen settings
// dialog.
#pragma once

#include <string>

#include "command_context.h"

void OpenDroppedFile(CommandContext& context, const std::string& path);
// A dropped file whose path does not fit a path buffer.
void RefuseDroppedFile(CommandContext& context);
