#include "map_view.h"

#include <windowsx.h>

#include <cstdio>

#include "app_state.h"
#include "commands.h"
#include "dib_image_draw_win32.h"
#include "dpi_scaling.h"
#include "export_preview_view.h"
#include "gdi_handles.h"
#include "marker_commands.h"
#include "marker_drag.h"
#include "renderer.h"
#include "saved_message.h"
#include "view_reports.h"
#include "view_scroll.h"
#include "view_zoom.h"

namespace {

struct ViewState {
  EditMode mode = EditMode::SmallMap;
  ViewAxis horizontal;
  ViewAxis vertical;
  MarkerDrag drag;
  bool capturing = false;
  int sizeGeneration = 0;
  // Every picture pixel is a zoom x zoom block; the axes work in screen pixels.
  int zoom = 1;
};

ViewState view;
ViewReports* reports = nullptr;

// The picture pixel under a client point, at any zoom.
Point CanvasPoint(int clientX, int clientY) {
  return {PictureCoordinate(view.horizontal, clientX, view.zoom), PictureCoordinate(view.vertical, clientY, view.zoom)};
}

// The canvas as the axes see it: zoom times the picture.
int ZoomedWidth() { return CanvasWidth * view.zoom; }
int ZoomedHeight() { return CanvasHeight * view.zoom; }

void RefitView() {
  RECT client;
  if (GetClientRect(App().view, &client)) OnViewSize(client.right, client.bottom);
}

void FitAxis(int bar, ViewAxis& axis, int clientSize, int canvasSize) {
  HWND window = App().view;
  const ViewAxisFit fit = FitViewAxis(axis, clientSize, canvasSize);
  if (!fit.scrollable) {
    ShowScrollBar(window, bar, FALSE);
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
  SetScrollInfo(window, bar, &info, TRUE);
}

void OnButtonDown(int clientX, int clientY) {
  EndSavedMessage();
  if (!view.drag.Press(Document(), History(), CanvasPoint(clientX, clientY))) return;
  SetCapture(App().view);
  view.capturing = true;
}

void OnMouseMove(int clientX, int clientY) {
  if (!view.capturing || !view.drag.Running()) return;
  view.drag.Move(Document(), CanvasPoint(clientX, clientY));
  RepaintView();
}

// The main window opens the load screen settings on a double click on its own client area,
// which the view covers; the view's margin around a centred canvas stands in for it.
// On the canvas the second press of a double click is a press like any other: a quick
// second click on a marker takes it again.
void OnDoubleClick(int clientX, int clientY) {
  const Point point = CanvasPoint(clientX, clientY);
  if (point.x < 0 || point.y < 0 || point.x >= CanvasWidth || point.y >= CanvasHeight)
    OpenLoadScreenSettings();
  else
    OnButtonDown(clientX, clientY);
}

void OnButtonUp() {
  if (!view.capturing) return;
  view.drag.Release(Document(), History());
  view.capturing = false;
  ReleaseCapture();
}

void OnCaptureLost() {
  if (view.capturing) view.drag.Release(Document(), History());
  view.capturing = false;
  view.drag.Cancel();
}

}  // namespace

void SetViewReports(ViewReports* viewReports) { reports = viewReports; }

void PaintView(HDC dc) {
  DibImage& canvas = ViewCanvas();
  RenderLoadScreen(Document(), &canvas);
  ApplyExportPreview(canvas);
  if (view.zoom == 1) {
    DrawPart(canvas, dc, view.horizontal.centre, view.vertical.centre, view.horizontal.scroll,
             view.vertical.scroll, view.horizontal.visible, view.vertical.visible);
  } else {
    const ZoomedSpan x = VisiblePictureSpan(view.horizontal, view.zoom, canvas.width);
    const ZoomedSpan y = VisiblePictureSpan(view.vertical, view.zoom, canvas.height);
    DrawZoomedPart(canvas, dc, x.clientStart, y.clientStart, x.first, y.first, x.count, y.count, view.zoom);
  }
  char text[64];
  if (view.zoom == 1)
    std::snprintf(text, sizeof text, "Current mode: %s", EditModeStatusText(view.mode));
  else
    std::snprintf(text, sizeof text, "Current mode: %s (%d%%)", EditModeStatusText(view.mode), view.zoom * 100);
  if (reports) reports->ShowModeText(text);
}

void RepaintView() {
  HWND window = App().view;
  // A view not shown yet (the start builds its screen before the window shows) has nothing
  // to bring up to date: its first WM_PAINT draws the screen as it is then.
  if (!window || !IsWindowVisible(window)) return;
  WindowDc dc(window);
  if (dc) PaintView(dc);
}

void OnViewSize(int width, int height) {
  // Showing or hiding a scroll bar resizes the client area and sends a WM_SIZE of its own
  // from inside these calls; that newer size then wins and this older one stops.
  const int generation = ++view.sizeGeneration;
  FitAxis(SB_HORZ, view.horizontal, width, ZoomedWidth());
  if (generation != view.sizeGeneration) return;
  FitAxis(SB_VERT, view.vertical, height, ZoomedHeight());
}

void OnViewScroll(int bar, int code, int thumb) {
  History().EndGroup(Document());
  const bool horizontal = bar == SB_HORZ;
  ViewAxis& axis = horizontal ? view.horizontal : view.vertical;
  if (!ScrollViewAxis(axis, code, thumb, horizontal ? ZoomedWidth() : ZoomedHeight())) return;
  SetScrollPos(App().view, bar, axis.scroll, TRUE);
  RepaintView();
}

void OnViewWheel(int bar, int delta) {
  static int pending[2] = {0, 0};
  UINT lines = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  const bool horizontal = bar == SB_HORZ;
  // A page-wise wheel setting (WHEEL_PAGESCROLL) scrolls by the most lines there are.
  const int pixels = WheelScrollPixels(pending[horizontal ? 0 : 1], delta, lines > 20 ? 20 : static_cast<int>(lines));
  ViewAxis& axis = horizontal ? view.horizontal : view.vertical;
  if (!ScrollViewAxisBy(axis, pixels, horizontal ? ZoomedWidth() : ZoomedHeight())) return;
  History().EndGroup(Document());
  SetScrollPos(App().view, bar, axis.scroll, TRUE);
  RepaintView();
}

void OnKey(int key) {
  EndSavedMessage();
  // The modifiers as they were when this key's message was queued: a fast run of presses
  // keeps the step each press was made with, whatever is held by the time it is handled.
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  OnKeyWithHistory(Document(), History(), view.mode, key, KeyStep(ctrl, shift));
}

int ViewZoom() { return view.zoom; }

void SetViewZoom(int zoom) {
  zoom = ClampZoom(zoom);
  if (zoom == view.zoom) return;
  History().EndGroup(Document());
  EndMarkerDrag();
  view.horizontal.scroll = ScrollAfterZoom(view.horizontal, view.zoom, zoom);
  view.vertical.scroll = ScrollAfterZoom(view.vertical, view.zoom, zoom);
  view.zoom = zoom;
  ScaleStatusBar(App().statusBar, WindowDpi(App().mainWindow));
  if (!App().view) return;
  RefitView();
  // The picture moves and its margins change: everything is drawn again, margins erased.
  InvalidateRect(App().view, nullptr, TRUE);
  UpdateWindow(App().view);
}

void SetEditMode(EditMode mode) {
  view.mode = mode;
  if (reports) reports->CheckMode(static_cast<int>(mode));
  RepaintView();
}

void EndMarkerDrag() {
  view.drag.Cancel();
  if (!view.capturing) return;
  view.capturing = false;
  ReleaseCapture();
}

LRESULT CALLBACK MapViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      OnViewSize(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      if (dc) PaintView(dc);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_HSCROLL:
      OnViewScroll(SB_HORZ, LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_VSCROLL:
      OnViewScroll(SB_VERT, LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_MOUSEMOVE:
      // Signed: while captured the pointer may be left of or above the view.
      OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_LBUTTONDOWN:
      OnButtonDown(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_LBUTTONUP:
      OnButtonUp();
      return 0;
    case WM_LBUTTONDBLCLK:
      OnDoubleClick(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_CAPTURECHANGED:
      OnCaptureLost();
      return 0;
    case kExportPreviewReadyMessage:
      OnExportPreviewReady();
      return 0;
    case WM_DESTROY:
      StopExportPreview();
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}
