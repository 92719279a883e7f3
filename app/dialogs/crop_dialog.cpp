#include "crop_dialog.h"

#include <commctrl.h>

#include <algorithm>

#include "crop_image.h"
#include "crop_position.h"
#include "dib_image.h"
#include "dib_image_draw_win32.h"
#include "gdi_handles.h"
#include "language.h"
#include "letterbox_fit.h"
#include "message_box_prompts.h"
#include "modal_dialog.h"
#include "resource.h"
#include "scaled_crop.h"

namespace {

constexpr POINT kMinimumTrackSize{440, 334};

class CropDialog final : public ModalDialog {
 public:
  CropDialog(const std::string& fileName, int width, int height, int smallestScale)
      : fileName_(fileName), width_(width), height_(height), smallestScale_(smallestScale),
        region_(ScaledRegion(kMaximumScale, width, height)) {}
  DibImage& source() { return source_; }
  std::optional<CropPlacement> Show(HWND owner) {
    // -1 is a dialog that could not be shown: only 1 is an OK.
    if (Run(DialogTemplate(IDD_CROP), owner) != 1) return std::nullopt;
    return CropPlacement{x_, y_, scale_};
  }

 private:
  // Where the whole source is drawn in the preview: as large as fits, its proportions kept.
  Letterbox PictureBox(HWND preview) const {
    RECT client;
    GetClientRect(preview, &client);
    return FitLetterbox(source_.width, source_.height, client.right, client.bottom);
  }

  // The whole source letterboxed in the preview on the dialog's face colour, darkened
  // outside the box, which has a white outline.
  void PaintPreview(HWND preview, HDC dc) const {
    if (!source_.IsValid()) return;
    DibImage picture(source_);
    if (!picture.IsValid()) return;
    DarkenOutsideCrop(picture, x_, y_, region_.width, region_.height);
    RECT client;
    GetClientRect(preview, &client);
    const Letterbox box = PictureBox(preview);
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
  void OnPreviewClick(HWND preview, int mouseX, int mouseY) {
    // Through the same scale the picture is drawn with; a click on a bar counts as the
    // nearest edge. A preview squeezed to nothing has no point to click.
    const Letterbox box = PictureBox(preview);
    if (box.width <= 0 || box.height <= 0) return;
    x_ = CropPositionFromClick(mouseX - box.x, box.width, source_.width, region_.width);
    y_ = CropPositionFromClick(mouseY - box.y, box.height, source_.height, region_.height);
    SetDlgItemInt(window(), IDC_CROP_X, static_cast<UINT>(x_), FALSE);
    SetDlgItemInt(window(), IDC_CROP_Y, static_cast<UINT>(y_), FALSE);
    WindowDc dc(preview);
    if (dc) PaintPreview(preview, dc);
  }

  // Every message but the paint and the click goes to the default procedure, not to the
  // static control's: a static lets clicks through to its parent, this preview takes them.
  static LRESULT CALLBACK PreviewProc(HWND preview, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* dialog = static_cast<CropDialog*>(Of(GetParent(preview)));
    if (message == WM_PAINT) {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(preview, &paint);
      if (dc && dialog) dialog->PaintPreview(preview, dc);
      EndPaint(preview, &paint);
      return 0;
    }
    // The position's two halves as unsigned 16-bit numbers.
    if (message == WM_LBUTTONUP && dialog) dialog->OnPreviewClick(preview, LOWORD(lParam), HIWORD(lParam));
    return DefWindowProcA(preview, message, wParam, lParam);
  }

  void InvalidatePreview() { RedrawWindow(Control(IDC_CROP_PREVIEW), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME); }

  // A typed or stepped corner, clamped; the field keeps what was typed.
  void OnPositionChanged(int field) {
    BOOL translated = FALSE;
    const UINT value = GetDlgItemInt(window(), field, &translated, FALSE);
    if (field == IDC_CROP_X)
      x_ = ClampCropPosition(value, source_.width, region_.width);
    else
      y_ = ClampCropPosition(value, source_.height, region_.height);
    InvalidatePreview();
  }

  // A typed or stepped scale, kept between the smallest that fits and 100 (the field keeps
  // what was typed; an empty one changes nothing). The box's region, the size fields and
  // the position ranges follow, and the corner is clamped again to the new region.
  void OnScaleChanged() {
    BOOL translated = FALSE;
    const UINT value = GetDlgItemInt(window(), IDC_CROP_SCALE, &translated, FALSE);
    if (!translated) return;
    scale_ = static_cast<int>(std::clamp<UINT>(value, static_cast<UINT>(smallestScale_), kMaximumScale));
    region_ = ScaledRegion(scale_, width_, height_);
    SetDlgItemInt(window(), IDC_CROP_WIDTH, static_cast<UINT>(region_.width), FALSE);
    SetDlgItemInt(window(), IDC_CROP_HEIGHT, static_cast<UINT>(region_.height), FALSE);
    const CropRange across = CropUpDownRange(source_.width, region_.width);
    const CropRange down = CropUpDownRange(source_.height, region_.height);
    SendDlgItemMessageA(window(), IDC_CROP_X_UPDOWN, UDM_SETRANGE32, across.minimum, across.maximum);
    SendDlgItemMessageA(window(), IDC_CROP_Y_UPDOWN, UDM_SETRANGE32, down.minimum, down.maximum);
    OnPositionChanged(IDC_CROP_X);
    OnPositionChanged(IDC_CROP_Y);
  }

  void LayOut() {
    RECT client;
    GetClientRect(window(), &client);
    const int w = client.right, h = client.bottom;
    MoveWindow(Control(IDC_CROP_FILE_NAME), 12, 30, std::max(w - 24, 0), 23, FALSE);
    MoveWindow(Control(IDC_CROP_PREVIEW), 12, 64, std::max(w - 24, 0), std::max(h - 172, 0), FALSE);
    struct Anchored {
      int id, x, aboveBottom;
    };
    static constexpr Anchored kAnchored[] = {
        {IDC_CROP_GROUP, 12, 102},        {IDC_CROP_X, 33, 80},        {IDC_CROP_X_UPDOWN, 93, 80},
        {IDC_CROP_Y, 131, 80},            {IDC_CROP_Y_UPDOWN, 192, 80}, {IDC_CROP_WIDTH, 229, 80},
        {IDC_CROP_HEIGHT, 327, 80},       {IDOK, 87, 33},              {IDCANCEL, 169, 33},
        {IDC_CROP_SCALE_LABEL, 249, 28}, {IDC_CROP_SCALE, 310, 33},   {IDC_CROP_SCALE_UPDOWN, 357, 33},
    };
    for (const Anchored& control : kAnchored)
      SetWindowPos(Control(control.id), nullptr, control.x, h - control.aboveBottom, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(window(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN);
  }

  BOOL OnInitDialog() {
    const auto smallIcon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_VANTOREL),
                                                         IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                         GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    SendMessageA(window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
    SetDlgItemInt(window(), IDC_CROP_X, 0, FALSE);
    SetDlgItemInt(window(), IDC_CROP_Y, 0, FALSE);
    SetDlgItemTextA(window(), IDC_CROP_FILE_NAME, fileName_.c_str());
    SendDlgItemMessageA(window(), IDC_CROP_SCALE_UPDOWN, UDM_SETRANGE32, smallestScale_, kMaximumScale);
    // Sets the size fields and the position ranges through its change notice.
    SetDlgItemInt(window(), IDC_CROP_SCALE, kMaximumScale, FALSE);
    SetWindowLongPtrA(Control(IDC_CROP_PREVIEW), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PreviewProc));
    LayOut();
    return TRUE;
  }

  INT_PTR Procedure(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_INITDIALOG:
        return OnInitDialog();
      case WM_SIZE:
        LayOut();
        return TRUE;
      case WM_GETMINMAXINFO:
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = kMinimumTrackSize;
        return TRUE;
      case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if ((id == IDC_CROP_X || id == IDC_CROP_Y) && HIWORD(wParam) == EN_CHANGE) {
          OnPositionChanged(id);
        } else if (id == IDC_CROP_SCALE && HIWORD(wParam) == EN_CHANGE) {
          OnScaleChanged();
        } else if (id == IDOK) {
          End(1);
        } else {
          return FALSE;
        }
        return TRUE;
      }
      default:
        return FALSE;
    }
  }

  DibImage source_;  // the dialog's own copy of the picture being cropped
  std::string fileName_;
  int width_, height_;  // the picture made: the screenshot's size
  int smallestScale_;
  RegionSize region_;          // the box in source pixels
  int scale_ = kMaximumScale;  // percent; the box covers width x height * 100 / scale
  int x_ = 0, y_ = 0;          // its top-left corner in source pixels
};

}  // namespace

std::optional<CropPlacement> ShowCropDialog(HWND owner, const Image& source, const std::string& fileName, int width,
                                            int height) {
  CropDialog dialog(fileName, width, height, SmallestFittingScale(source.width, source.height, width, height));
  if (!dialog.source().Create(source.width, source.height)) {
    MessageBoxPrompts(owner).Tell(Report({{Text::OutOfMemory}}));
    return std::nullopt;
  }
  dialog.source().Paste(source, 0, 0);
  return dialog.Show(owner);
}
