#include "crop_dialog.h"

#include <commctrl.h>

#include <windowsx.h>

#include <algorithm>
#include <iterator>

#include "crop_image.h"
#include "crop_layout.h"
#include "crop_position.h"
#include "dib_image.h"
#include "dib_image_draw_win32.h"
#include "dpi.h"
#include "gdi_handles.h"
#include "language.h"
#include "letterbox_fit.h"
#include "message_box_prompts.h"
#include "modal_dialog.h"
#include "resource.h"
#include "scaled_crop.h"

namespace {

// The smallest the dialog may be made at 96 DPI; more where the layout needs it.
constexpr SIZE kMinimumTrackSize{440, 334};

// Where each control goes in the layout.
struct Placed {
  int id;
  CropControl control;
};
constexpr Placed kPlaced[] = {
    {IDC_CROP_FILE_LABEL, CropControl::FileLabel},
    {IDC_CROP_FILE_NAME, CropControl::FileName},
    {IDC_CROP_PREVIEW, CropControl::Preview},
    {IDC_CROP_GROUP, CropControl::Group},
    {IDC_CROP_X_LABEL, CropControl::XLabel},
    {IDC_CROP_X, CropControl::X},
    {IDC_CROP_X_UPDOWN, CropControl::XUpDown},
    {IDC_CROP_Y_LABEL, CropControl::YLabel},
    {IDC_CROP_Y, CropControl::Y},
    {IDC_CROP_Y_UPDOWN, CropControl::YUpDown},
    {IDC_CROP_WIDTH_LABEL, CropControl::WidthLabel},
    {IDC_CROP_WIDTH, CropControl::Width},
    {IDC_CROP_HEIGHT_LABEL, CropControl::HeightLabel},
    {IDC_CROP_HEIGHT, CropControl::Height},
    {IDC_CROP_SCALE_LABEL, CropControl::ScaleLabel},
    {IDC_CROP_SCALE, CropControl::Scale},
    {IDC_CROP_SCALE_UPDOWN, CropControl::ScaleUpDown},
    {IDOK, CropControl::Ok},
    {IDCANCEL, CropControl::Cancel},
};

class CropDialog final : public ModalDialog {
 public:
  CropDialog(const std::string& fileName, int width, int height, int smallestScale)
      : fileName_(fileName),
        width_(width),
        height_(height),
        smallestScale_(smallestScale),
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
  // outside the box. The box's white outline is drawn on the stretched picture, so that all
  // four edges show at any size of the preview.
  void PaintPreview(HWND preview, HDC dc) const {
    if (!source_.IsValid()) return;
    DibImage picture(source_);
    if (!picture.IsValid()) return;
    DarkenOutsideBox(picture, x_, y_, region_.width, region_.height);
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
    if (box.width <= 0 || box.height <= 0) return;
    const CropOutline edge =
        OutlineAsDrawn(CropOutlineOf(source_.width, source_.height, x_, y_, region_.width, region_.height),
                       source_.width, source_.height, box.x, box.y, box.width, box.height);
    const RECT lines[] = {{edge.left, edge.top, edge.right + 1, edge.top + 1},
                          {edge.left, edge.bottom, edge.right + 1, edge.bottom + 1},
                          {edge.left, edge.top, edge.left + 1, edge.bottom + 1},
                          {edge.right, edge.top, edge.right + 1, edge.bottom + 1}};
    for (const RECT& line : lines) FillRect(dc, &line, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }

  // The box centred on the mouse: at a press in the preview and while the button is held.
  // The fields are written with the result; their change notices clamp again and find
  // nothing to change.
  void PlaceBoxAt(HWND preview, int mouseX, int mouseY) {
    // Through the same scale the picture is drawn with; a point on a bar or beyond the
    // preview (the mouse is captured) counts as the nearest edge. A preview squeezed to
    // nothing has no point to click.
    const Letterbox box = PictureBox(preview);
    if (box.width <= 0 || box.height <= 0) return;
    x_ = CropPositionFromClick(mouseX - box.x, box.width, source_.width, region_.width);
    y_ = CropPositionFromClick(mouseY - box.y, box.height, source_.height, region_.height);
    SetDlgItemInt(window(), IDC_CROP_X, static_cast<UINT>(x_), FALSE);
    SetDlgItemInt(window(), IDC_CROP_Y, static_cast<UINT>(y_), FALSE);
    WindowDc dc(preview);
    if (dc) PaintPreview(preview, dc);
  }

  // Every message but the paint and the mouse goes to the default procedure, not to the
  // static control's: a static lets clicks through to its parent, this preview takes them.
  // Only a press in the preview starts placing the box: the release of a double click on
  // the title bar, which maximizes the dialog under the mouse, places nothing.
  static LRESULT CALLBACK PreviewProc(HWND preview, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* dialog = static_cast<CropDialog*>(Of(GetParent(preview)));
    switch (message) {
      case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(preview, &paint);
        if (dc && dialog) dialog->PaintPreview(preview, dc);
        EndPaint(preview, &paint);
        return 0;
      }
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
        if (!dialog) break;
        SetCapture(preview);
        dialog->dragging_ = true;
        dialog->PlaceBoxAt(preview, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
      case WM_MOUSEMOVE:
        if (dialog && dialog->dragging_) dialog->PlaceBoxAt(preview, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
      case WM_LBUTTONUP:
        if (dialog && dialog->dragging_) {
          dialog->PlaceBoxAt(preview, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
          ReleaseCapture();
        }
        return 0;
      case WM_CAPTURECHANGED:
        if (dialog) dialog->dragging_ = false;
        return 0;
      default: break;
    }
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

  // A typed or stepped scale, kept between the smallest that fits and 100 (an empty field
  // changes nothing). The field shows the scale in force: at once for a value that no more
  // typing can bring into range, or one not typed at all, otherwise once the user leaves
  // it ("5" on the way to "50" stays while typing). The box's region, the size fields and
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
    if (value != static_cast<UINT>(scale_) && (value > kMaximumScale || GetFocus() != Control(IDC_CROP_SCALE)))
      ShowScaleInForce();
  }

  void ShowScaleInForce() {
    BOOL translated = FALSE;
    if (GetDlgItemInt(window(), IDC_CROP_SCALE, &translated, FALSE) != static_cast<UINT>(scale_) || !translated)
      SetDlgItemInt(window(), IDC_CROP_SCALE, static_cast<UINT>(scale_), FALSE);
  }

  // The labels' texts measured in the dialog's font.
  CropLabelSizes MeasureLabels() const {
    CropLabelSizes sizes;
    WindowDc dc(window());
    if (!dc) return sizes;
    SelectedObject font(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(window(), WM_GETFONT, 0, 0)));
    const auto measure = [&](int id) {
      wchar_t text[64] = {};
      const int length = GetDlgItemTextW(window(), id, text, static_cast<int>(std::size(text)));
      RECT box{};
      DrawTextW(dc, text, length, &box, DT_CALCRECT | DT_SINGLELINE);
      sizes.textHeight = std::max<int>(sizes.textHeight, box.bottom);
      // A pixel to spare: a static control cuts a text that fills it exactly on some systems.
      return static_cast<int>(box.right) + 1;
    };
    sizes.textHeight = 0;
    sizes.file = measure(IDC_CROP_FILE_LABEL);
    sizes.x = measure(IDC_CROP_X_LABEL);
    sizes.y = measure(IDC_CROP_Y_LABEL);
    sizes.width = measure(IDC_CROP_WIDTH_LABEL);
    sizes.height = measure(IDC_CROP_HEIGHT_LABEL);
    sizes.scale = measure(IDC_CROP_SCALE_LABEL);
    return sizes;
  }

  void LayOut() {
    RECT client;
    GetClientRect(window(), &client);
    const CropLayout layout = LayOutCropDialog(client.right, client.bottom, WindowDpi(window()), labels_);
    for (const Placed& placed : kPlaced) {
      const LayoutRect& at = layout[placed.control];
      MoveWindow(Control(placed.id), at.x, at.y, at.width, at.height, FALSE);
    }
    RedrawWindow(window(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN);
  }

  // The smallest window whose client area holds the layout, and never below the 96-DPI
  // dialog's minimum scaled to the DPI.
  SIZE MinimumWindowSize() const {
    const int dpi = WindowDpi(window());
    const ClientSize needed = MinimumCropClient(dpi, labels_);
    RECT outer{0, 0, needed.width, needed.height};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrA(window(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(window(), GWL_EXSTYLE)));
    return {std::max<LONG>(outer.right - outer.left, ScaledForDpi(kMinimumTrackSize.cx, dpi)),
            std::max<LONG>(outer.bottom - outer.top, ScaledForDpi(kMinimumTrackSize.cy, dpi))};
  }

  BOOL OnInitDialog() {
    const auto smallIcon =
        static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_VANTOREL), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    SendMessageA(window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
    SetDlgItemInt(window(), IDC_CROP_X, 0, FALSE);
    SetDlgItemInt(window(), IDC_CROP_Y, 0, FALSE);
    SetDlgItemTextA(window(), IDC_CROP_FILE_NAME, fileName_.c_str());
    SendDlgItemMessageA(window(), IDC_CROP_SCALE_UPDOWN, UDM_SETRANGE32, smallestScale_, kMaximumScale);
    // Sets the size fields and the position ranges through its change notice.
    SetDlgItemInt(window(), IDC_CROP_SCALE, kMaximumScale, FALSE);
    SetWindowLongPtrA(Control(IDC_CROP_PREVIEW), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PreviewProc));
    labels_ = MeasureLabels();
    // The template's size may be too small for the layout at this DPI in this language.
    const SIZE minimum = MinimumWindowSize();
    RECT now;
    GetWindowRect(window(), &now);
    if (now.right - now.left < minimum.cx || now.bottom - now.top < minimum.cy)
      SetWindowPos(window(), nullptr, 0, 0, std::max<LONG>(now.right - now.left, minimum.cx),
                   std::max<LONG>(now.bottom - now.top, minimum.cy), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    LayOut();
    return TRUE;
  }

  INT_PTR Procedure(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_INITDIALOG: return OnInitDialog();
      case WM_SIZE: LayOut(); return TRUE;
      case WM_GETMINMAXINFO: {
        const SIZE minimum = MinimumWindowSize();
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {minimum.cx, minimum.cy};
        return TRUE;
      }
      case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if ((id == IDC_CROP_X || id == IDC_CROP_Y) && HIWORD(wParam) == EN_CHANGE) {
          OnPositionChanged(id);
        } else if (id == IDC_CROP_SCALE && HIWORD(wParam) == EN_CHANGE) {
          OnScaleChanged();
        } else if (id == IDC_CROP_SCALE && HIWORD(wParam) == EN_KILLFOCUS) {
          ShowScaleInForce();
        } else if (id == IDOK) {
          End(1);
        } else {
          return FALSE;
        }
        return TRUE;
      }
      default: return FALSE;
    }
  }

  DibImage source_;  // the dialog's own copy of the picture being cropped
  std::string fileName_;
  int width_, height_;  // the picture made: the screenshot's size
  int smallestScale_;
  RegionSize region_;          // the box in source pixels
  int scale_ = kMaximumScale;  // percent; the box covers width x height * 100 / scale
  int x_ = 0, y_ = 0;          // its top-left corner in source pixels
  CropLabelSizes labels_;      // measured once the dialog has its font
  bool dragging_ = false;      // the mouse was pressed in the preview and still holds the box
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
