// The menu commands of the main window, dispatched by id through one table.
#pragma once

// Runs the command of a menu id; ids without a command do nothing.
void RunMenuCommand(int id);
// The load screen settings command, also opened by a double click on the main window.
void OpenLoadScreenSettings();
