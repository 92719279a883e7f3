// The system's open and save file dialogs, with comdlg32.dll loaded at their first use
// rather than at start-up: under Wine loading it costs about 15 ms of every start, and
// most sessions of the editor open a dialog late or never.
#pragma once

#include <windows.h>
#include <commdlg.h>

// As GetOpenFileNameA and GetSaveFileNameA; FALSE (as for Cancel) when comdlg32.dll
// cannot be loaded.
BOOL ShowOpenFileDialog(OPENFILENAMEA* dialog);
BOOL ShowSaveFileDialog(OPENFILENAMEA* dialog);
