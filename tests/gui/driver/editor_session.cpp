#include "editor_session.h"

#include "input.h"
#include "picture_compare.h"
#include "recovery_folders.h"
#include "remote_controls.h"
#include "wide_text.h"
#include "window_search.h"

namespace {
constexpr int kStartTimeoutMs = 15000;
}

bool EditorSession::Launch(const std::wstring& folder, std::string& error, const std::wstring& arguments) {
  if (!keepRecoveryCopies_) RemoveRecoveryCopies();
  return process_.Start(context_.EditorIn(folder), context_.scratchDir, error, arguments);
}

bool EditorSession::Start(const std::wstring& folder, std::string& error, const std::wstring& arguments) {
  if (!Launch(folder, error, arguments)) return false;
  HWND box = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : TopLevelWindowsOf(process_.id())) {
          if (!IsWindowVisible(window)) continue;
          const std::wstring name = ClassNameOf(window);
          if (name == L"VANTORClass") main_ = window;
          if (name == L"#32770") box = window;
        }
        return main_ || box || !process_.Running();
      },
      kStartTimeoutMs);
  if (!main_) {
    if (box)
      error = "instead of the main window a box " + Quoted(CaptionOf(box)) + " says " + Quoted(MessageBoxText(box));
    else
      error = process_.Running() ? "no visible VANTORClass window" : "the editor ended without a main window";
    return false;
  }
  // Handled only once the editor's message loop runs, i.e. start-up is over.
  if (!SendAndWait(main_, WM_NULL, 0, 0)) {
    error = "the main window does not answer";
    return false;
  }
  view_ = ChildOfClass(main_, L"ViewClass");
  statusBar_ = ChildOfClass(main_, L"msctls_statusbar32");
  if (!view_ || !statusBar_) {
    error = "the main window lacks its ViewClass or msctls_statusbar32 child";
    return false;
  }
  if (!probe_.Attach(main_, process_.id(), context_.probeDll, error)) return false;
  GetWindowRect(main_, &openedAt_);
  openedMaximized_ = IsZoomed(main_) != FALSE;
  if (!PlaceWindow(kStandardViewWidth, kStandardViewHeight)) {
    error = "the view does not follow the main window's size";
    return false;
  }
  return true;
}

bool EditorSession::Command(UINT id) { return SendAndWait(main_, WM_COMMAND, id, 0); }

void EditorSession::PostCommand(UINT id) { PostMessageW(main_, WM_COMMAND, id, 0); }

HWND EditorSession::WaitForDialog(const std::wstring& caption, int timeoutMs) const {
  return ::WaitForDialog(process_.id(), caption.c_str(), timeoutMs);
}

void EditorSession::ParkDialog(HWND dialog) const {
  SetWindowPos(dialog, nullptr, kDialogParkingX, kWindowTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool EditorSession::PressKey(int virtualKey, int modifiers) { return ::PressKey(main_, virtualKey, modifiers); }

std::wstring EditorSession::StatusText(int part) const { return StatusBarText(probe_, statusBar_, part); }

std::wstring EditorSession::Title() const { return CaptionOf(main_); }

bool EditorSession::DropFile(const std::wstring& path) const { return probe_.DropFile(main_, path); }

bool EditorSession::MenuItem(UINT id, MenuItemState& out) const { return probe_.MenuItem(main_, id, false, out); }

bool EditorSession::MenuPopup(int position, MenuItemState& out) const {
  return probe_.MenuItem(main_, static_cast<UINT>(position), true, out);
}

bool EditorSession::ScrollBar(int bar, ScrollBarState& out) const { return probe_.ScrollBar(view_, bar, out); }

bool EditorSession::PlaceWindow(int viewWidth, int viewHeight) {
  RECT outer{}, viewRect{};
  GetWindowRect(main_, &outer);
  int width = outer.right - outer.left, height = outer.bottom - outer.top;
  // The frame, the menu bar (which may wrap) and the status bar take what they take: adjust
  // by the difference until the view has the wanted size.
  for (int attempt = 0; attempt < 4; ++attempt) {
    SetWindowPos(main_, HWND_TOP, kWindowLeft, kWindowTop, width, height, SWP_SHOWWINDOW);
    GetWindowRect(view_, &viewRect);
    const int dx = viewWidth - (viewRect.right - viewRect.left);
    const int dy = viewHeight - (viewRect.bottom - viewRect.top);
    if (dx == 0 && dy == 0) return true;
    width += dx;
    height += dy;
  }
  return false;
}

SIZE EditorSession::ViewClientSize() const {
  RECT client{};
  GetClientRect(view_, &client);
  return {client.right, client.bottom};
}

POINT EditorSession::CanvasToScreen(Point canvas, Point scroll) const {
  const SIZE client = ViewClientSize();
  const ViewGeometry g = GeometryFor(client.cx, client.cy, scroll);
  POINT p{g.originX + canvas.x - g.canvasX, g.originY + canvas.y - g.canvasY};
  ClientToScreen(view_, &p);
  return p;
}

Point EditorSession::ScreenToCanvas(POINT screen, Point scroll) const {
  const SIZE client = ViewClientSize();
  const ViewGeometry g = GeometryFor(client.cx, client.cy, scroll);
  ScreenToClient(view_, &screen);
  return {static_cast<int>(screen.x) - g.originX + g.canvasX, static_cast<int>(screen.y) - g.originY + g.canvasY};
}

HWND EditorSession::MouseCapture() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(process_.threadId(), &info)) return nullptr;
  return info.hwndCapture;
}

bool EditorSession::CaptureCanvas(ScreenPicture& out, ViewGeometry& geometry, Point scroll) const {
  const SIZE client = ViewClientSize();
  geometry = GeometryFor(client.cx, client.cy, scroll);
  POINT topLeft{geometry.originX, geometry.originY};
  ClientToScreen(view_, &topLeft);
  const RECT area{topLeft.x, topLeft.y, topLeft.x + geometry.width, topLeft.y + geometry.height};
  return CaptureScreen(area, out);
}

bool EditorSession::ViewShows(const Image& expected, std::string& detail, Point scroll) const {
  ScreenPicture picture;
  ViewGeometry geometry;
  PictureDifference difference;
  const bool same = WaitUntil(
      [&] {
        if (!CaptureCanvas(picture, geometry, scroll)) return false;
        difference = ComparePictures(picture, expected, geometry.canvasX, geometry.canvasY);
        return difference.count == 0;
      },
      kPictureWaitMs, 20);
  // Report canvas coordinates, not those of the captured part.
  difference.x += geometry.canvasX;
  difference.y += geometry.canvasY;
  detail = same ? "" : DescribeDifference(difference);
  if (!same && picture.pixels.empty()) detail = "cannot read the view's pixels";
  return same;
}
