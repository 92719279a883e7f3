// The system's file dialogs and their questions, as the editor opens them (under Wine the
// dialogs' captions follow the locale, so they are found by their controls instead).
#pragma once

#include <windows.h>

#include <string>

// The file-name field of the system's file dialogs (cmb13): a ComboBoxEx whose inner edit
// has the same id.
inline constexpr int kFileNameField = 0x47C;

// A visible file dialog of the process (a dialog with the file-name field), or null after
// timeoutMs.
HWND WaitForFileDialog(DWORD processId, int timeoutMs = 5000);
// The text of the dialog's file-name field.
std::wstring FileDialogName(HWND fileDialog);
// Types `path` into the file-name field and presses the dialog's OK (posted: the editor
// may open modal windows from there).
bool ChooseFileName(HWND fileDialog, const std::wstring& path);
// The question a save dialog asks before replacing a file: a box owned by the file dialog
// with Yes and No. Null after timeoutMs.
HWND WaitForReplaceQuestion(DWORD processId, HWND fileDialog, int timeoutMs = 3000);
