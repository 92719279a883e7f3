// The Help menu.
#pragma once

#include "command_context.h"

void ShowHelp(CommandContext& context);   // 40037: the user guide beside the program
void ShowAbout(CommandContext& context);  // 40013: the About box with the package's readme
