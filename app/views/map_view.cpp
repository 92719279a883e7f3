#include "map_view.h"

#include <windowsx.h>

#include <algorithm>

#include "dib_image_draw_win32.h"
#include "gdi_handles.h"
#include "marker_commands.h"
#include "marker_texts.h"
#include "renderer.h"
#include "resource.h"
#include "view_zoom.h"

MapView::MapView(EditingSession& session, StatusLine& status, Prompts& prompts, std::function<void()> stateChanged)
    : session_(session),
      status_(status),
      stateChanged_(std::move(stateChanged)),
      preview_(session, status, prompts, [this] {
        if (stateChanged_) stateChanged_();
      }) {}

bool MapView::RegisterWindowClass(WNDCLASSEXA windowClass) {
  windowClass.lpfnWndProc = Procedure;
  // The margin around a centred picture: the system's grey of the area behind documents,
  // so the picture's own white and black edges stand out.
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  windowClass.lpszClassName = kViewWindowClass;
  return RegisterClassExA(&windowClass) != 0;
}

HWND MapView::Create(HWND parent) {
  window_ = CreateWindowExA(0, kViewWindowClass, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent, nullptr,
                            GetModuleHandleA(nullptr), this);
  preview_.SetView(window_);
  return window_;
}

RECT MapView::PictureOnScreen() const {
  RECT client{};
  if (!window_ || !GetClientRect(window_, &client)) return client;
  // Centred in a larger view, scrolled in a smaller one, zoom times its 800 x 520 pixels.
  const auto span = [](const ViewAxis& axis, int zoomedSize, LONG clientSize, LONG& first, LONG& end) {
    first = std::max<LONG>(0, axis.centre - axis.scroll);
    end = std::min<LONG>(clientSize, axis.centre - axis.scroll + zoomedSize);
  };
  RECT picture{};
  span(horizontal_, ZoomedWidth(), client.right, picture.left, picture.right);
  span(vertical_, ZoomedHeight(), client.bottom, picture.top, picture.bottom);
  MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&picture), 2);
  return picture;
}

ViewArea MapView::Area() const {
  RECT view{};
  if (!window_ || !GetWindowRect(window_, &view)) return {};
  // The whole window: at a zoom that fits, the scroll bars go.
  return {view.right - view.left, view.bottom - view.top};
}

// The picture pixel under a client point, at any zoom.
Point MapView::CanvasPoint(int clientX, int clientY) const {
  return {PictureCoordinate(horizontal_, clientX, zoom_), PictureCoordinate(vertical_, clientY, zoom_)};
}

void MapView::Refit() {
  RECT client;
  if (GetClientRect(window_, &client)) OnSize(client.right, client.bottom);
}

void MapView::FitAxis(int bar, ViewAxis& axis, int clientSize, int canvasSize) {
  const ViewAxisFit fit = FitViewAxis(axis, clientSize, canvasSize);
  if (!fit.scrollable) {
    ShowScrollBar(window_, bar, FALSE);
    return;
  }
  // The range covers the whole canvas (0 .. k-1) and the page is the visible part, so the
  // thumb shows how much is seen and the positions still run 0 .. k-c. The position is set
  // always, not only when pulled back: it went to 0 while the bar was hidden. A page as
  // large as the canvas hides the bar.
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = 0;
  info.nMax = canvasSize - 1;
  info.nPage = static_cast<UINT>(canvasSize - fit.scrollMax);
  info.nPos = axis.scroll;
  SetScrollInfo(window_, bar, &info, TRUE);
}

void MapView::OnButtonDown(int clientX, int clientY) {
  status_.EndReport();
  if (!drag_.Press(session_.document(), session_.history(), CanvasPoint(clientX, clientY))) return;
  SetCapture(window_);
  capturing_ = true;
}

void MapView::OnMouseMove(int clientX, int clientY) {
  if (!capturing_ || !drag_.Running()) return;
  drag_.Move(session_.document(), CanvasPoint(clientX, clientY));
  Repaint();
}

// The main window opens the load screen settings on a double click on its own client area,
// which the view covers; the view's margin around a centred canvas stands in for it.
// On the canvas the second press of a double click is a press like any other: a quick
// second click on a marker takes it again.
void MapView::OnDoubleClick(int clientX, int clientY) {
  const Point point = CanvasPoint(clientX, clientY);
  if (point.x < 0 || point.y < 0 || point.x >= CanvasWidth || point.y >= CanvasHeight)
    SendMessageA(GetParent(window_), WM_COMMAND, IDM_LOAD_SCREEN_SETTINGS, 0);
  else
    OnButtonDown(clientX, clientY);
}

void MapView::OnButtonUp() {
  if (!capturing_) return;
  drag_.Release(session_.document(), session_.history());
  capturing_ = false;
  ReleaseCapture();
}

void MapView::OnCaptureLost() {
  if (capturing_) drag_.Release(session_.document(), session_.history());
  capturing_ = false;
  drag_.Cancel();
}

void MapView::Paint(HDC dc) {
  RenderLoadScreen(session_.document(), &canvas_);
  preview_.Apply(canvas_);
  if (zoom_ == 1) {
    DrawPart(canvas_, dc, horizontal_.centre, vertical_.centre, horizontal_.scroll, vertical_.scroll,
             horizontal_.visible, vertical_.visible);
  } else {
    const ZoomedSpan x = VisiblePictureSpan(horizontal_, zoom_, canvas_.width);
    const ZoomedSpan y = VisiblePictureSpan(vertical_, zoom_, canvas_.height);
    DrawZoomedPart(canvas_, dc, x.clientStart, y.clientStart, x.first, y.first, x.count, y.count, zoom_);
  }
  status_.ShowMode(mode_, zoom_);
  status_.ShowSelection(SelectedMarkerPosition(session_.document()));
}

void MapView::Repaint() {
  // A view not shown yet, or whose picture is not ready (the start builds its screen while
  // the window shows), has nothing to bring up to date: its next WM_PAINT draws the screen.
  if (!window_ || !pictureReady_ || !IsWindowVisible(window_)) return;
  WindowDc dc(window_);
  if (dc) Paint(dc);
}

// Around a picture smaller than the view, the class background. The view erases nothing
// itself, so no colour shows where the picture comes before the picture does.
void MapView::PaintMargins(HDC dc, const RECT& client) const {
  RECT picture;
  if (zoom_ == 1) {
    picture = {horizontal_.centre, vertical_.centre, horizontal_.centre + horizontal_.visible,
               vertical_.centre + vertical_.visible};
  } else {
    const ZoomedSpan x = VisiblePictureSpan(horizontal_, zoom_, canvas_.width);
    const ZoomedSpan y = VisiblePictureSpan(vertical_, zoom_, canvas_.height);
    picture = {x.clientStart, y.clientStart, x.clientStart + x.count * zoom_, y.clientStart + y.count * zoom_};
  }
  const HBRUSH brush = Background();
  const RECT bands[] = {{client.left, client.top, client.right, picture.top},
                        {client.left, picture.bottom, client.right, client.bottom},
                        {client.left, picture.top, picture.left, picture.bottom},
                        {picture.right, picture.top, client.right, picture.bottom}};
  for (const RECT& band : bands)
    if (band.right > band.left && band.bottom > band.top) FillRect(dc, &band, brush);
}

HBRUSH MapView::Background() const { return reinterpret_cast<HBRUSH>(GetClassLongPtrA(window_, GCLP_HBRBACKGROUND)); }

void MapView::ShowPicture() {
  pictureReady_ = true;
  if (!window_) return;
  InvalidateRect(window_, nullptr, FALSE);
  UpdateWindow(window_);
}

void MapView::OnSize(int width, int height) {
  // Created at no size, before the frame lays it out: bars shown now would be hidden again
  // one by one at the real size, each time with the frame drawn anew (some 15 ms of the first
  // picture under Wine).
  if (width <= 0 && height <= 0) return;
  // A picture that fits the whole view needs no bar: the client area that the bars of a
  // larger zoom still take would otherwise keep them.
  RECT view{};
  if (GetWindowRect(window_, &view) && ZoomedWidth() <= view.right - view.left &&
      ZoomedHeight() <= view.bottom - view.top) {
    width = std::max<int>(width, view.right - view.left);
    height = std::max<int>(height, view.bottom - view.top);
  }
  // Showing or hiding a scroll bar resizes the client area and sends a WM_SIZE of its own
  // from inside these calls; that newer size then wins and this older one stops.
  const int generation = ++sizeGeneration_;
  FitAxis(SB_HORZ, horizontal_, width, ZoomedWidth());
  if (generation != sizeGeneration_) return;
  FitAxis(SB_VERT, vertical_, height, ZoomedHeight());
}

void MapView::OnScroll(int bar, int code, int thumb) {
  session_.EndGroup();
  const bool horizontal = bar == SB_HORZ;
  ViewAxis& axis = horizontal ? horizontal_ : vertical_;
  if (!ScrollViewAxis(axis, code, thumb, horizontal ? ZoomedWidth() : ZoomedHeight())) return;
  SetScrollPos(window_, bar, axis.scroll, TRUE);
  Repaint();
}

void MapView::OnWheel(int bar, int delta) {
  UINT lines = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  const bool horizontal = bar == SB_HORZ;
  // A page-wise wheel setting (WHEEL_PAGESCROLL) scrolls by the most lines there are.
  const int pixels =
      WheelScrollPixels(pendingWheel_[horizontal ? 0 : 1], delta, lines > 20 ? 20 : static_cast<int>(lines));
  ViewAxis& axis = horizontal ? horizontal_ : vertical_;
  if (!ScrollViewAxisBy(axis, pixels, horizontal ? ZoomedWidth() : ZoomedHeight())) return;
  session_.EndGroup();
  SetScrollPos(window_, bar, axis.scroll, TRUE);
  Repaint();
}

void MapView::OnZoomWheel(int delta) {
  pendingZoomWheel_ += delta;
  while (pendingZoomWheel_ >= WHEEL_DELTA) {
    pendingZoomWheel_ -= WHEEL_DELTA;
    SetZoom(zoom_ + 1);
  }
  while (pendingZoomWheel_ <= -WHEEL_DELTA) {
    pendingZoomWheel_ += WHEEL_DELTA;
    SetZoom(zoom_ - 1);
  }
}

void MapView::OnKey(int key) {
  status_.EndReport();
  // The modifiers as they were when this key's message was queued: a fast run of presses
  // keeps the step each press was made with, whatever is held by the time it is handled.
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  session_.Key(mode_, key, KeyStep(ctrl, shift));
}

void MapView::SetZoom(int zoom) {
  zoom = ClampZoom(zoom);
  if (zoom == zoom_) return;
  session_.EndGroup();
  EndDrag();
  horizontal_.scroll = ScrollAfterZoom(horizontal_, zoom_, zoom);
  vertical_.scroll = ScrollAfterZoom(vertical_, zoom_, zoom);
  zoom_ = zoom;
  status_.ShowMode(mode_, zoom_);
  if (!window_) return;
  Refit();
  // The picture moves and its margins change: everything is drawn again, margins too.
  InvalidateRect(window_, nullptr, TRUE);
  UpdateWindow(window_);
}

void MapView::SetMode(EditMode mode) {
  mode_ = mode;
  Repaint();
}

void MapView::SetPreview(const PreviewChoice& choice) {
  preview_.SetChoice(choice);
  Repaint();
}

void MapView::EndDrag() {
  drag_.Cancel();
  if (!capturing_) return;
  capturing_ = false;
  ReleaseCapture();
}

LRESULT CALLBACK MapView::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* view = static_cast<MapView*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
    view->window_ = window;
  }
  auto* view = reinterpret_cast<MapView*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  return view ? view->Handle(window, message, wParam, lParam) : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT MapView::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE: OnSize(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_ERASEBKGND: return 1;  // WM_PAINT covers every pixel
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      RECT client;
      if (dc && GetClientRect(window, &client)) {
        if (!pictureReady_) {
          FillRect(dc, &client, Background());
        } else {
          PaintMargins(dc, client);
          Paint(dc);
        }
      }
      EndPaint(window, &paint);
      return 0;
    }
    case WM_HSCROLL: OnScroll(SB_HORZ, LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_VSCROLL: OnScroll(SB_VERT, LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_MOUSEMOVE:
      // Signed: while captured the pointer may be left of or above the view.
      OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_LBUTTONDOWN: OnButtonDown(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_LBUTTONUP: OnButtonUp(); return 0;
    case WM_LBUTTONDBLCLK: OnDoubleClick(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_CAPTURECHANGED: OnCaptureLost(); return 0;
    case kExportPreviewReadyMessage:
      if (preview_.OnReady()) Repaint();
      return 0;
    case WM_DESTROY:
      preview_.Stop();
      window_ = nullptr;
      return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}
