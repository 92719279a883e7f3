#include "about_dialog.h"

#include <windows.h>

#include <string>

#include "app_state.h"
#include "gdi_handles.h"
#include "link_control.h"
#include "resource.h"
#include "ui_language.h"
#include "text_file.h"

namespace {

constexpr char kHomePage[] = "https://vantorel.example/";
constexpr DWORD kFadeMilliseconds = 1000;

// The readme box is an ordinary edit control (white, selectable, scrollable) whose input
// is filtered: the arrow keys, the mouse and the scroll bars move the caret and the view,
// and nothing that would change the text gets through. The previous procedure is kept in
// the control's user data.
LRESULT CALLBACK ReadmeFilterProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE:
      // Only the arrows belong to the box: Tab, Enter and Escape stay the dialog's, so the
      // keyboard can leave the box and close the dialog.
      return DLGC_WANTARROWS;
    case WM_KEYDOWN:
      if (wParam == VK_LEFT || wParam == VK_UP || wParam == VK_RIGHT || wParam == VK_DOWN) break;
      return 0;
    case WM_CHAR:
    case WM_IME_CHAR:
    case WM_IME_COMPOSITION:  // an input method would otherwise insert its result itself
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
      return 0;
    default:
      break;
  }
  const auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(box, GWLP_USERDATA));
  return CallWindowProcA(previous, box, message, wParam, lParam);
}

void InstallReadmeFilter(HWND box) {
  SetWindowLongPtrA(box, GWLP_USERDATA, GetWindowLongPtrA(box, GWLP_WNDPROC));
  SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ReadmeFilterProc));
}

void RedrawLink(HWND dialog) { InvalidateRect(GetDlgItem(dialog, IDC_ABOUT_LINK), nullptr, TRUE); }

// A missing or unreadable readme leaves the box empty, without a message.
void ShowReadme(HWND dialog) {
  const std::string path = Document().appDir + "Templates\\readme.txt";
  std::string text;
  if (ReadTextFile(path.c_str(), text)) SetDlgItemTextA(dialog, IDC_ABOUT_README, WithCrLfLineBreaks(text).c_str());
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SendDlgItemMessageA(dialog, IDC_ABOUT_TITLE, WM_SETFONT, static_cast<WPARAM>(lParam), TRUE);
      SendDlgItemMessageA(dialog, IDC_ABOUT_LINK, kLinkSetTarget, reinterpret_cast<WPARAM>(kHomePage), 0);
      InstallReadmeFilter(GetDlgItem(dialog, IDC_ABOUT_README));
      RedrawLink(dialog);
      ShowReadme(dialog);
      if (App().animateDialogs) AnimateWindow(dialog, kFadeMilliseconds, AW_BLEND);
      RedrawLink(dialog);
      return TRUE;
    case WM_COMMAND:
      // Enter (IDOK) closes as the Close button (IDCANCEL) and Escape do.
      if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK) {
        SendMessageA(dialog, WM_CLOSE, 0, 0);
        return TRUE;
      }
      return FALSE;
    case WM_CLOSE:
      if (App().animateDialogs) AnimateWindow(dialog, kFadeMilliseconds, AW_BLEND | AW_HIDE);
      EndDialog(dialog, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void OpenAboutDialog() {
  AppState& app = App();
  // The title's font lives exactly as long as the dialog.
  OwnedFont titleFont(CreateFontA(30, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, nullptr));
  ShowDialog(IDD_ABOUT, app.mainWindow, AboutDialogProc,
                  reinterpret_cast<LPARAM>(titleFont.get()));
}
