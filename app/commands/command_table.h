// The menu commands: those of the session and the view (editor_commands.h), then one table
// of {menu id, command} for those that need the window. Each of these lives in the file of
// its menu (file_commands, edit_commands, view_commands, tools_commands, output_commands,
// help_commands) and receives the CommandContext.
#pragma once

#include "command_context.h"

// Runs the command of a menu id (after ending a run of key moves or a drag, as one undo
// step); ids without a command do nothing. False for those.
bool RunCommand(CommandContext& context, int id);
