#include "crop_dialog.h"

#include <commctrl.h>

#include <algorithm>

#include "app_state.h"
#include "crop_image.h"
#include "crop_position.h"
#include "dib_image.h"
#include "dib_image_draw_win32.h"
#include "gdi_handles.h"
#include "letterbox_fit.h"
#include "resource.h"
#include "scaled_crop.h"
#include "ui_language.h"

namespace {

constexpr POINT kMinimumTrackSize{440, 334};

struct CropState {
  DibImage source;  // the dialog's own copy of the image being cropped
  const char* fileName = "";
  int width = 0, height = 0;     // the picture made: the screenshot's size
  int scale = kMaximumScale;     // percent; the box covers width x height * 100 / scale
  int smallestScale = kMaximumScale;
  RegionSize region;             // the box in source pixels
  int x = 0, y = 0;              // its top-left corner in source pixels
};

CropState* StateOf(HWND dialog) { return reinterpret_cast<CropState*>(GetWindowLongPtrA(dialog, DWLP_USER)); }

// Where the whole source is drawn in the preview: as large as fits, its proportions kept.
Letterbox PictureBox(HWND preview, const CropState& state) {
  RECT client;
  GetClientRect(preview, &client);
  return FitLetterbox(state.source.width, state.source.height, client.right, client.bottom);
}

// The whole source letterboxed in the preview on the dialog's face colour, darkened outside
// the box, which has a white outline.
void PaintPreview(HWND preview, HDC dc, const CropState& state) {
  if (!state.source.IsValid()) return;
  DibImage picture(state.source);
  if (!picture.IsValid()) return;
  DarkenOutsideCrop(picture, state.x, state.y, state.region.width, state.region.height);
  RECT client;
  GetClientRect(preview, &client);
  const Letterbox box = PictureBox(preview, state);
  // The bars only: painting the picture's place too would flicker.
  const RECT bars[] = {{0, 0, client.right, box.y},
                       {0, box.y + box.height, client.right, client.bottom},
                       {0, box.y, box.x, box.y + box.height},
                       {box.x + box.width, box.y, client.right, box.y + box.height}};
  for (const RECT& bar : bars)
    if (bar.right > bar.left && bar.bottom > bar.top) FillRect(dc, &bar, GetSysColorBrush(COLOR_BTNFACE));
  SetStretchBltMode(dc, COLORONCOLOR);
  DrawStretched(picture, dc, box.x, box.y, box.width, box.height);
}

// A click centres the box on the clicked point. The fields are written with the result;
// their change notices clamp again and find nothing to change.
void OnPreviewClick(HWND preview, CropState& state, int mouseX, int mouseY) {
  // Through the same scale the picture is drawn with; a click on a bar counts as the
  // nearest edge. A preview squeezed to nothing has no point to click.
  const Letterbox box = PictureBox(preview, state);
  if (box.width <= 0 || box.height <= 0) return;
  state.x = CropPositionFromClick(mouseX - box.x, box.width, state.source.width, state.region.width);
  state.y = CropPositionFromClick(mouseY - box.y, box.height, state.source.height, state.region.height);
  HWND dialog = GetParent(preview);
  SetDlgItemInt(dialog, IDC_CROP_X, static_cast<UINT>(state.x), FALSE);
  SetDlgItemInt(dialog, IDC_CROP_Y, static_cast<UINT>(state.y), FALSE);
  WindowDc dc(preview);
  if (dc) PaintPreview(preview, dc, state);
}

// Every message but the paint and the click goes to the default procedure, not to the
// static control's: a static lets clicks through to its parent, this preview takes them.
LRESULT CALLBACK CropPreviewProc(HWND preview, UINT message, WPARAM wParam, LPARAM lParam) {
  CropState* state = StateOf(GetParent(preview));
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(preview, &paint);
    if (dc && state) PaintPreview(preview, dc, *state);
    EndPaint(preview, &paint);
    return 0;
  }
  // The position's two halves as unsigned 16-bit numbers.
  if (message == WM_LBUTTONUP && state) OnPreviewClick(preview, *state, LOWORD(lParam), HIWORD(lParam));
  return DefWindowProcA(preview, message, wParam, lParam);
}

void InvalidatePreview(HWND dialog) {
  RedrawWindow(GetDlgItem(dialog, IDC_CROP_PREVIEW), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

// A typed or stepped corner, clamped; the field keeps what was typed.
void OnPositionChanged(HWND dialog, CropState& state, int field) {
  BOOL translated = FALSE;
  const UINT value = GetDlgItemInt(dialog, field, &translated, FALSE);
  if (field == IDC_CROP_X)
    state.x = ClampCropPosition(value, state.source.width, state.region.width);
  else
    state.y = ClampCropPosition(value, state.source.height, state.region.height);
  InvalidatePreview(dialog);
}

// A typed or stepped scale, kept between the smallest that fits and 100 (the field keeps
// what was typed; an empty one changes nothing). The box's region, the size fields and
// the position ranges follow, and the corner is clamped again to the new region.
void OnScaleChanged(HWND dialog, CropState& state) {
  BOOL translated = FALSE;
  const UINT value = GetDlgItemInt(dialog, IDC_CROP_SCALE, &translated, FALSE);
  if (!translated) return;
  state.scale = static_cast<int>(std::clamp<UINT>(value, static_cast<UINT>(state.smallestScale), kMaximumScale));
  state.region = ScaledRegion(state.scale, state.width, state.height);
  SetDlgItemInt(dialog, IDC_CROP_WIDTH, static_cast<UINT>(state.region.width), FALSE);
  SetDlgItemInt(dialog, IDC_CROP_HEIGHT, static_cast<UINT>(state.region.height), FALSE);
  const CropRange across = CropUpDownRange(state.source.width, state.region.width);
  const CropRange down = CropUpDownRange(state.source.height, state.region.height);
  SendDlgItemMessageA(dialog, IDC_CROP_X_UPDOWN, UDM_SETRANGE32, across.minimum, across.maximum);
  SendDlgItemMessageA(dialog, IDC_CROP_Y_UPDOWN, UDM_SETRANGE32, down.minimum, down.maximum);
  OnPositionChanged(dialog, state, IDC_CROP_X);
  OnPositionChanged(dialog, state, IDC_CROP_Y);
}

void LayOut(HWND dialog) {
  RECT client;
  GetClientRect(dialog, &client);
  const int w = client.right, h = client.bottom;
  MoveWindow(GetDlgItem(dialog, IDC_CROP_FILE_NAME), 12, 30, std::max(w - 24, 0), 23, FALSE);
  MoveWindow(GetDlgItem(dialog, IDC_CROP_PREVIEW), 12, 64, std::max(w - 24, 0), std::max(h - 172, 0), FALSE);
  struct Anchored {
    int id, x, aboveBottom;
  };
  static constexpr Anchored kAnchored[] = {
      {IDC_CROP_GROUP, 12, 102}, {IDC_CROP_X, 33, 80},     {IDC_CROP_X_UPDOWN, 93, 80},
      {IDC_CROP_Y, 131, 80},     {IDC_CROP_Y_UPDOWN, 192, 80}, {IDC_CROP_WIDTH, 229, 80},
      {IDC_CROP_HEIGHT, 327, 80}, {IDOK, 87, 33},           {IDCANCEL, 169, 33},
      {IDC_CROP_SCALE_LABEL, 249, 28}, {IDC_CROP_SCALE, 310, 33}, {IDC_CROP_SCALE_UPDOWN, 357, 33},
  };
  for (const Anchored& control : kAnchored)
    SetWindowPos(GetDlgItem(dialog, control.id), nullptr, control.x, h - control.aboveBottom, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN);
}

BOOL OnInitDialog(HWND dialog, CropState& state) {
  AppState& app = App();
  const auto smallIcon = static_cast<HICON>(LoadImageA(app.instance, MAKEINTRESOURCEA(IDI_VANTOREL), IMAGE_ICON,
                                                       GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                                       LR_SHARED));
  SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
  SetDlgItemInt(dialog, IDC_CROP_X, 0, FALSE);
  SetDlgItemInt(dialog, IDC_CROP_Y, 0, FALSE);
  SetDlgItemTextA(dialog, IDC_CROP_FILE_NAME, state.fileName);
  SendDlgItemMessageA(dialog, IDC_CROP_SCALE_UPDOWN, UDM_SETRANGE32, state.smallestScale, kMaximumScale);
  // Sets the size fields and the position ranges through its change notice.
  SetDlgItemInt(dialog, IDC_CROP_SCALE, kMaximumScale, FALSE);
  SetWindowLongPtrA(GetDlgItem(dialog, IDC_CROP_PREVIEW), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CropPreviewProc));
  LayOut(dialog);
  return TRUE;
}

INT_PTR CALLBACK CropDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    // Stored first: setting the fields below already sends their change notices.
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    return OnInitDialog(dialog, *reinterpret_cast<CropState*>(lParam));
  }
  CropState* state = StateOf(dialog);
  if (!state) return FALSE;
  switch (message) {
    case WM_SIZE:
      LayOut(dialog);
      return TRUE;
    case WM_GETMINMAXINFO:
      reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = kMinimumTrackSize;
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if ((id == IDC_CROP_X || id == IDC_CROP_Y) && HIWORD(wParam) == EN_CHANGE) {
        OnPositionChanged(dialog, *state, id);
      } else if (id == IDC_CROP_SCALE && HIWORD(wParam) == EN_CHANGE) {
        OnScaleChanged(dialog, *state);
      } else if (id == IDOK) {
        EndDialog(dialog, 1);
      } else if (id == IDCANCEL) {
        EndDialog(dialog, 0);
      } else {
        return FALSE;
      }
      return TRUE;
    }
    case WM_CLOSE:
      EndDialog(dialog, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

int ShowCropDialog(HWND owner, Image& destination, const Image& source, const char* fileName, int width,
                   int height) {
  CropState state;
  state.fileName = fileName ? fileName : "";
  state.width = width;
  state.height = height;
  state.region = ScaledRegion(kMaximumScale, width, height);
  state.smallestScale = SmallestFittingScale(source.width, source.height, width, height);
  if (!state.source.Create(source.width, source.height)) {
    MessageBoxA(owner, kOutOfMemory, kProgramCaption, MB_ICONERROR);
    return 0;
  }
  state.source.Paste(source, 0, 0);
  const INT_PTR result = ShowDialog(IDD_CROP, owner, CropDialogProc,
                                         reinterpret_cast<LPARAM>(&state));
  // -1 is a dialog that could not be shown: only 1 is an OK.
  if (result != 1) return 0;
  if (!CropAndScale(destination, state.source, state.x, state.y, state.scale, width, height)) {
    MessageBoxA(owner, kOutOfMemory, kProgramCaption, MB_ICONERROR);
    return 0;
  }
  return 1;
}
