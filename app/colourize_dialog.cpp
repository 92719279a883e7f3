#include "colourize_dialog.h"

#include <windows.h>
#include <commctrl.h>

#include <utility>

#include "app_state.h"
#include "colourize.h"
#include "dib_image.h"
#include "dib_image_draw_win32.h"
#include "resource.h"
#include "ui_language.h"

namespace {

constexpr int kLevelTrackbars[] = {IDC_COLOURIZE_RED, IDC_COLOURIZE_GREEN, IDC_COLOURIZE_BLUE};

ColourizeSettings* SettingsOf(HWND dialog) {
  return reinterpret_cast<ColourizeSettings*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// The screenshot, recomputed from the backup (which repaints the view), centred on the
// dialog's face colour.
void PaintPreview(HWND preview, HDC dc, const ColourizeSettings& settings) {
  LoadScreenDocument& document = Document();
  ColourizeScreenshot(document, settings);
  RECT client;
  GetClientRect(preview, &client);
  DibImage picture;
  if (!picture.Create(client.right, client.bottom)) return;
  picture.Fill(SwapRedBlue(GetSysColor(COLOR_BTNFACE)));
  const MemoryImage& screenshot = document.screenshot;
  picture.Paste(screenshot, (client.right - screenshot.width) / 2, (client.bottom - screenshot.height) / 2);
  Draw(picture, dc, 0, 0);
}

LRESULT CALLBACK PreviewProc(HWND preview, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return DefWindowProcA(preview, message, wParam, lParam);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(preview, &paint);
  const ColourizeSettings* settings = SettingsOf(GetParent(preview));
  if (dc && settings) PaintPreview(preview, dc, *settings);
  EndPaint(preview, &paint);
  return 0;
}

void InvalidatePreview(HWND dialog) { InvalidateRect(GetDlgItem(dialog, IDC_COLOURIZE_PREVIEW), nullptr, TRUE); }

void OnTrackbar(HWND dialog, HWND trackbar, ColourizeSettings& settings) {
  const int position = static_cast<int>(SendMessageA(trackbar, TBM_GETPOS, 0, 0));
  switch (GetDlgCtrlID(trackbar)) {
    case IDC_COLOURIZE_RED: settings.redLevel = position; break;
    case IDC_COLOURIZE_GREEN: settings.greenLevel = position; break;
    case IDC_COLOURIZE_BLUE: settings.blueLevel = position; break;
    case IDC_COLOURIZE_INTENSITY: settings.intensity = position; break;
    default: return;
  }
  InvalidatePreview(dialog);
}

void OnGreyMode(HWND dialog, ColourizeSettings& settings) {
  settings.greyMode = IsDlgButtonChecked(dialog, IDC_COLOURIZE_GREY) == BST_CHECKED;
  // Grey ignores the three levels; the intensity still applies.
  for (int id : kLevelTrackbars) EnableWindow(GetDlgItem(dialog, id), !settings.greyMode);
  InvalidatePreview(dialog);
}

// The preview may not have painted the last change yet (a key followed at once by Enter):
// the screenshot is made from the backup once more with what the controls say now.
void OnOk(HWND dialog, const ColourizeSettings& settings) {
  if (ColourizeScreenshot(Document(), settings)) {
    EndDialog(dialog, 1);
    return;
  }
  MessageBoxA(dialog, kOutOfMemory, kProgramCaption, MB_ICONERROR);
  EndDialog(dialog, 0);
}

// The controls show the settings in force (which the caller put in `settings`).
BOOL OnInitDialog(HWND dialog, const ColourizeSettings& settings) {
  SetWindowLongPtrA(GetDlgItem(dialog, IDC_COLOURIZE_PREVIEW), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PreviewProc));
  for (int id : kLevelTrackbars) SendDlgItemMessageA(dialog, id, TBM_SETRANGE, TRUE, MAKELPARAM(0, 255));
  SendDlgItemMessageA(dialog, IDC_COLOURIZE_INTENSITY, TBM_SETRANGE, TRUE, MAKELPARAM(0, 511));
  const std::pair<int, int> positions[] = {{IDC_COLOURIZE_RED, settings.redLevel},
                                           {IDC_COLOURIZE_GREEN, settings.greenLevel},
                                           {IDC_COLOURIZE_BLUE, settings.blueLevel},
                                           {IDC_COLOURIZE_INTENSITY, settings.intensity}};
  for (const auto& [id, position] : positions) SendDlgItemMessageA(dialog, id, TBM_SETPOS, TRUE, position);
  CheckDlgButton(dialog, IDC_COLOURIZE_GREY, settings.greyMode ? BST_CHECKED : BST_UNCHECKED);
  for (int id : kLevelTrackbars) EnableWindow(GetDlgItem(dialog, id), !settings.greyMode);
  return TRUE;
}

INT_PTR CALLBACK ColourizeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    return OnInitDialog(dialog, *reinterpret_cast<ColourizeSettings*>(lParam));
  }
  ColourizeSettings* settings = SettingsOf(dialog);
  if (!settings) return FALSE;
  switch (message) {
    case WM_HSCROLL:
      if (!lParam) return FALSE;
      OnTrackbar(dialog, reinterpret_cast<HWND>(lParam), *settings);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_COLOURIZE_GREY: OnGreyMode(dialog, *settings); return TRUE;
        case IDOK: OnOk(dialog, *settings); return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        default: return FALSE;
      }
    case WM_CLOSE:
      EndDialog(dialog, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

int ShowColourizeDialog() {
  AppState& app = App();
  ColourizeSettings settings = Document().screenshotColour;
  const INT_PTR result = ShowDialog(IDD_COLOURIZE, app.mainWindow,
                                         ColourizeDialogProc, reinterpret_cast<LPARAM>(&settings));
  return result == 1 ? 1 : 0;
}
