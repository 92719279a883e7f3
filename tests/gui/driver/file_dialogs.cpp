#include "file_dialogs.h"

#include "remote_controls.h"
#include "wait.h"
#include "window_search.h"

HWND WaitForFileDialog(DWORD processId, int timeoutMs) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : TopLevelWindowsOf(processId, L"#32770"))
          if (IsWindowVisible(window) && GetDlgItem(window, kFileNameField)) {
            found = window;
            return true;
          }
        return false;
      },
      timeoutMs);
  return found;
}

std::wstring FileDialogName(HWND fileDialog) { return ControlText(GetDlgItem(fileDialog, kFileNameField)); }

bool ChooseFileName(HWND fileDialog, const std::wstring& path) {
  HWND field = GetDlgItem(fileDialog, kFileNameField);
  if (!field || !SendAndWait(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()))) return false;
  return PostMessageW(GetDlgItem(fileDialog, IDOK), BM_CLICK, 0, 0) != 0;
}

HWND WaitForReplaceQuestion(DWORD processId, HWND fileDialog, int timeoutMs) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : TopLevelWindowsOf(processId, L"#32770"))
          if (IsWindowVisible(window) && GetWindow(window, GW_OWNER) == fileDialog && GetDlgItem(window, IDYES) &&
              GetDlgItem(window, IDNO)) {
            found = window;
            return true;
          }
        return false;
      },
      timeoutMs);
  return found;
}
