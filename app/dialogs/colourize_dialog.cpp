#include "colourize_dialog.h"

#include <commctrl.h>

#include <utility>

#include "dialog_placement.h"
#include "dib_image.h"
#include "dib_image_draw_win32.h"
#include "language.h"
#include "message_box_prompts.h"
#include "modal_dialog.h"
#include "resource.h"

namespace {

constexpr int kLevelTrackbars[] = {IDC_COLOURIZE_RED, IDC_COLOURIZE_GREEN, IDC_COLOURIZE_BLUE};
constexpr int kLevelValues[] = {IDC_COLOURIZE_RED_VALUE, IDC_COLOURIZE_GREEN_VALUE, IDC_COLOURIZE_BLUE_VALUE};

// The number shown beside each slider.
int ValueBeside(int trackbar) {
  switch (trackbar) {
    case IDC_COLOURIZE_RED: return IDC_COLOURIZE_RED_VALUE;
    case IDC_COLOURIZE_GREEN: return IDC_COLOURIZE_GREEN_VALUE;
    case IDC_COLOURIZE_BLUE: return IDC_COLOURIZE_BLUE_VALUE;
    default: return IDC_COLOURIZE_INTENSITY_VALUE;
  }
}

class ColourizeDialog final : public ModalDialog {
 public:
  ColourizeDialog(const ColourizeSettings& inForce, const RECT& picture,
                  const std::function<const Image*(const ColourizeSettings&)>& apply)
      : settings_(inForce), picture_(picture), apply_(apply) {}
  std::optional<ColourizeSettings> Show(HWND owner) {
    if (Run(DialogTemplate(IDD_COLOURIZE), owner) != 1) return std::nullopt;
    return settings_;
  }

 private:
  // The screenshot made with the settings in the controls, centred on the face colour.
  void PaintPreview(HWND preview, HDC dc) {
    const Image* screenshot = apply_(settings_);
    RECT client;
    GetClientRect(preview, &client);
    DibImage picture;
    if (!picture.Create(client.right, client.bottom)) return;
    picture.Fill(SwapRedBlue(GetSysColor(COLOR_BTNFACE)));
    if (screenshot)
      picture.Paste(*screenshot, (client.right - screenshot->width) / 2, (client.bottom - screenshot->height) / 2);
    Draw(picture, dc, 0, 0);
  }

  static LRESULT CALLBACK PreviewProc(HWND preview, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) return DefWindowProcA(preview, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(preview, &paint);
    auto* dialog = static_cast<ColourizeDialog*>(Of(GetParent(preview)));
    if (dc && dialog) dialog->PaintPreview(preview, dc);
    EndPaint(preview, &paint);
    return 0;
  }

  void InvalidatePreview() { InvalidateRect(Control(IDC_COLOURIZE_PREVIEW), nullptr, TRUE); }

  void OnTrackbar(HWND trackbar) {
    const int position = static_cast<int>(SendMessageA(trackbar, TBM_GETPOS, 0, 0));
    switch (GetDlgCtrlID(trackbar)) {
      case IDC_COLOURIZE_RED: settings_.redLevel = position; break;
      case IDC_COLOURIZE_GREEN: settings_.greenLevel = position; break;
      case IDC_COLOURIZE_BLUE: settings_.blueLevel = position; break;
      case IDC_COLOURIZE_INTENSITY: settings_.intensity = position; break;
      default: return;
    }
    SetDlgItemInt(window(), ValueBeside(GetDlgCtrlID(trackbar)), static_cast<UINT>(position), FALSE);
    InvalidatePreview();
  }

  // Grey ignores the three levels; the intensity still applies.
  void EnableLevels() {
    for (int id : kLevelTrackbars) EnableWindow(Control(id), !settings_.greyMode);
    for (int id : kLevelValues) EnableWindow(Control(id), !settings_.greyMode);
  }

  void OnGreyMode() {
    settings_.greyMode = IsDlgButtonChecked(window(), IDC_COLOURIZE_GREY) == BST_CHECKED;
    EnableLevels();
    InvalidatePreview();
  }

  // The preview may not have painted the last change yet (a key followed at once by Enter):
  // the screenshot is made once more with what the controls say now.
  void OnOk() {
    if (apply_(settings_)) {
      End(1);
      return;
    }
    MessageBoxPrompts(window()).Tell(Report({{Text::OutOfMemory}}));
    End(0);
  }

  // The controls show the settings in force.
  BOOL OnInitDialog() {
    SetWindowLongPtrA(Control(IDC_COLOURIZE_PREVIEW), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PreviewProc));
    for (int id : kLevelTrackbars) SendDlgItemMessageA(window(), id, TBM_SETRANGE, TRUE, MAKELPARAM(0, 255));
    SendDlgItemMessageA(window(), IDC_COLOURIZE_INTENSITY, TBM_SETRANGE, TRUE, MAKELPARAM(0, 511));
    const std::pair<int, int> positions[] = {{IDC_COLOURIZE_RED, settings_.redLevel},
                                             {IDC_COLOURIZE_GREEN, settings_.greenLevel},
                                             {IDC_COLOURIZE_BLUE, settings_.blueLevel},
                                             {IDC_COLOURIZE_INTENSITY, settings_.intensity}};
    for (const auto& [id, position] : positions) {
      SendDlgItemMessageA(window(), id, TBM_SETPOS, TRUE, position);
      SetDlgItemInt(window(), ValueBeside(id), static_cast<UINT>(position), FALSE);
    }
    CheckDlgButton(window(), IDC_COLOURIZE_GREY, settings_.greyMode ? BST_CHECKED : BST_UNCHECKED);
    EnableLevels();
    // Beside the picture it changes, where the screen has room.
    PlaceBeside(window(), picture_);
    return TRUE;
  }

  INT_PTR Procedure(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_INITDIALOG: return OnInitDialog();
      case WM_HSCROLL:
        if (!lParam) return FALSE;
        OnTrackbar(reinterpret_cast<HWND>(lParam));
        return TRUE;
      case WM_COMMAND:
        switch (LOWORD(wParam)) {
          case IDC_COLOURIZE_GREY: OnGreyMode(); return TRUE;
          case IDOK: OnOk(); return TRUE;
          default: return FALSE;
        }
      default: return FALSE;
    }
  }

  ColourizeSettings settings_;
  RECT picture_;
  const std::function<const Image*(const ColourizeSettings&)>& apply_;
};

}  // namespace

std::optional<ColourizeSettings> ShowColourizeDialog(
    HWND owner, const ColourizeSettings& inForce, const RECT& picture,
    const std::function<const Image*(const ColourizeSettings&)>& apply) {
  return ColourizeDialog(inForce, picture, apply).Show(owner);
}
