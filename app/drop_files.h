// Files dropped on the main window: a scene file (.ini) is opened, any other file is taken
// as the screenshot, with the checks and the crop question of the load screen settings
// dialog. Of several files dropped at once only the first is used.
#pragma once

#include <windows.h>

// Handles WM_DROPFILES and releases the drop.
void OnDropFiles(HDROP drop);
