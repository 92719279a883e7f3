#include "about_dialog.h"

#include "gdi_handles.h"
#include "language.h"
#include "link_control.h"
#include "modal_dialog.h"
#include "resource.h"

namespace {

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
    case WM_UNDO: return 0;
    default: break;
  }
  const auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(box, GWLP_USERDATA));
  return CallWindowProcA(previous, box, message, wParam, lParam);
}

void InstallReadmeFilter(HWND box) {
  SetWindowLongPtrA(box, GWLP_USERDATA, GetWindowLongPtrA(box, GWLP_WNDPROC));
  SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ReadmeFilterProc));
}

class AboutDialog final : public ModalDialog {
 public:
  explicit AboutDialog(const AboutForm& form) : form_(form) {}
  void Show(HWND owner) {
    // The title's font lives exactly as long as the dialog.
    titleFont_.Reset(CreateFontA(30, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, nullptr));
    Run(DialogTemplate(IDD_ABOUT), owner);
    titleFont_.Reset();
  }

 private:
  void RedrawLink() { InvalidateRect(Control(IDC_ABOUT_LINK), nullptr, TRUE); }

  INT_PTR Procedure(UINT message, WPARAM wParam, LPARAM) override {
    switch (message) {
      case WM_INITDIALOG:
        SendMessageA(Control(IDC_ABOUT_TITLE), WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.get()), TRUE);
        SendMessageA(Control(IDC_ABOUT_LINK), kLinkSetTarget, reinterpret_cast<WPARAM>(form_.linkTarget.c_str()), 0);
        if (!form_.linkParameters.empty())
          SendMessageA(Control(IDC_ABOUT_LINK), kLinkSetParameters,
                       reinterpret_cast<WPARAM>(form_.linkParameters.c_str()), 0);
        InstallReadmeFilter(Control(IDC_ABOUT_README));
        RedrawLink();
        // A missing or unreadable readme leaves the box empty, without a message.
        if (!form_.readme.empty()) SetDlgItemTextA(window(), IDC_ABOUT_README, form_.readme.c_str());
        if (form_.fade) AnimateWindow(window(), kFadeMilliseconds, AW_BLEND);
        RedrawLink();
        return TRUE;
      case WM_COMMAND:
        // Enter (IDOK) closes as the Close button (IDCANCEL) and Escape do.
        if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK) {
          SendMessageA(window(), WM_CLOSE, 0, 0);
          return TRUE;
        }
        return FALSE;
      case WM_CLOSE:
        if (form_.fade) AnimateWindow(window(), kFadeMilliseconds, AW_BLEND | AW_HIDE);
        End(0);
        return TRUE;
      default: return FALSE;
    }
  }

  const AboutForm& form_;
  OwnedFont titleFont_;
};

}  // namespace

void ShowAboutDialog(HWND owner, const AboutForm& form) { AboutDialog(form).Show(owner); }
