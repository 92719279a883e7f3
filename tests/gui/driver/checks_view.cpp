// The view's layout: hiding the status bar, a view wider and taller than the canvas
// (centred, no scroll bars), a smaller one (scroll bars over the canvas with the visible part
// as the page), line, page, thumb, end and wheel scrolling, and a larger view pulling the
// scroll position back.
#include <windows.h>

#include <cstdio>
#include <string>

#include "remote_controls.h"
#include "resource.h"
#include "scenario.h"
#include "scenario_support.h"
#include "scenarios.h"

namespace {
std::string Size(int width, int height) { return std::to_string(width) + " x " + std::to_string(height); }

std::string Hex(unsigned long value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lX", value);
  return text;
}

int ViewHeight(const EditorSession& session) {
  RECT r{};
  GetWindowRect(session.view(), &r);
  return r.bottom - r.top;
}

void StatusBarToggle(Scenario& s) {
  RECT bar{};
  GetWindowRect(s.session.statusBar(), &bar);
  const int barHeight = bar.bottom - bar.top, before = ViewHeight(s.session);
  s.session.Command(IDM_STATUS_BAR);
  s.log().Expect(!IsWindowVisible(s.session.statusBar()), "view.status_bar_hides", "the status bar is visible");
  ExpectMenuItem(s.context, s.session, IDM_STATUS_BAR, false, false, "view.status_bar_unchecked");
  s.log().Expect(ViewHeight(s.session) == before + barHeight, "view.taller_by_status_bar_height",
                 "view height " + std::to_string(ViewHeight(s.session)) + ", expected " +
                     std::to_string(before + barHeight));
  s.View("view.picture_without_status_bar");
  s.session.Command(IDM_STATUS_BAR);
  s.log().Expect(IsWindowVisible(s.session.statusBar()), "view.status_bar_shows_again", "the status bar is hidden");
  ExpectMenuItem(s.context, s.session, IDM_STATUS_BAR, true, false, "view.status_bar_checked_again");
  s.log().Expect(ViewHeight(s.session) == before, "view.height_restored",
                 "view height " + std::to_string(ViewHeight(s.session)) + ", expected " + std::to_string(before));
}

void WideView(Scenario& s, const std::string& name) {
  if (!s.session.PlaceWindow(1000, 600)) {
    s.log().Fail(name, "the view does not follow the main window to 1000 x 600");
    return;
  }
  const LONG style = GetWindowLongW(s.session.view(), GWL_STYLE);
  s.log().Expect((style & (WS_HSCROLL | WS_VSCROLL)) == 0, name + "_has_no_scroll_bars",
                 "view style " + Hex(static_cast<unsigned long>(style)));
  s.View(name + "_centred");
  // Left of the canvas the view shows its class background: the system's neutral grey of
  // the area behind documents, not the white of a window.
  POINT margin{50, 300};
  ClientToScreen(s.session.view(), &margin);
  ScreenPicture pixel;
  const Pixel grey = SwapRedBlue(GetSysColor(COLOR_APPWORKSPACE));
  const bool neutral = RedOf(grey) == GreenOf(grey) && GreenOf(grey) == BlueOf(grey) && grey != 0xFFFFFF;
  const bool ok = WaitUntil(
      [&] {
        return CaptureScreen({margin.x, margin.y, margin.x + 1, margin.y + 1}, pixel) && pixel.At(0, 0) == grey;
      },
      kPictureWaitMs);
  s.log().Expect(ok && neutral, name + "_margin_shows_window_colour",
                 "the margin is " + Hex(pixel.width ? pixel.At(0, 0) : 0) + ", expected the neutral grey " + Hex(grey));
}

struct ScrollStep {
  const char* name;
  UINT message;  // WM_HSCROLL or WM_VSCROLL to the view, WM_MOUSEWHEEL to the main window
  int code;      // the scroll code, or the wheel's key flags (MK_SHIFT: horizontal)
  int thumb;     // the thumb position, or the wheel's delta
};

// How far a wheel notch scrolls: the user's wheel lines of 16 pixels each.
int WheelNotchPixels() {
  UINT lines = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  return static_cast<int>(lines > 20 ? 20 : lines) * 16;
}

// Sends the scroll steps and checks the position and the picture after each; the driver
// computes the position the editor must reach.
void ScrollSteps(Scenario& s, Point& scroll) {
  const SIZE client = s.session.ViewClientSize();
  const int maxX = CanvasWidth - client.cx, maxY = CanvasHeight - client.cy;
  const ScrollStep steps[] = {
      {"line_right_by_1", WM_HSCROLL, SB_LINERIGHT, 0},
      {"page_right_by_5", WM_HSCROLL, SB_PAGERIGHT, 0},
      {"page_down_by_5", WM_VSCROLL, SB_PAGEDOWN, 0},
      {"line_down_by_1", WM_VSCROLL, SB_LINEDOWN, 0},
      {"line_up_by_1", WM_VSCROLL, SB_LINEUP, 0},
      {"page_left_by_5", WM_HSCROLL, SB_PAGELEFT, 0},
      {"line_left_by_1", WM_HSCROLL, SB_LINELEFT, 0},
      {"line_left_stops_at_0", WM_HSCROLL, SB_LINELEFT, 0},
      {"thumb_position", WM_HSCROLL, SB_THUMBPOSITION, 37},
      {"thumb_track", WM_VSCROLL, SB_THUMBTRACK, 20},
      {"wheel_down", WM_MOUSEWHEEL, 0, -WHEEL_DELTA},
      {"wheel_up_stops_at_0", WM_MOUSEWHEEL, 0, 2 * WHEEL_DELTA},
      {"shift_wheel_right", WM_MOUSEWHEEL, MK_SHIFT, -WHEEL_DELTA},
      {"shift_wheel_half_notch_left", WM_MOUSEWHEEL, MK_SHIFT, WHEEL_DELTA / 2},
      {"shift_wheel_half_notch_left_again", WM_MOUSEWHEEL, MK_SHIFT, WHEEL_DELTA / 2},
      {"end_scroll_ignored", WM_HSCROLL, SB_ENDSCROLL, 0},
      {"right_end", WM_HSCROLL, SB_RIGHT, 0},
      {"line_right_stops_at_max", WM_HSCROLL, SB_LINERIGHT, 0},
      {"bottom_end", WM_VSCROLL, SB_BOTTOM, 0},
      {"page_down_stops_at_max", WM_VSCROLL, SB_PAGEDOWN, 0},
  };
  const int notch = WheelNotchPixels();
  for (const ScrollStep& step : steps) {
    const bool wheel = step.message == WM_MOUSEWHEEL;
    const bool horizontal = wheel ? (step.code & MK_SHIFT) != 0 : step.message == WM_HSCROLL;
    int& pos = horizontal ? scroll.x : scroll.y;
    const int max = horizontal ? maxX : maxY;
    if (wheel) {
      pos -= step.thumb * notch / WHEEL_DELTA;
      pos = pos < 0 ? 0 : (pos > max ? max : pos);
      POINT inside{100, 100};
      ClientToScreen(s.session.view(), &inside);
      SendAndWait(s.session.main(), WM_MOUSEWHEEL, MAKEWPARAM(step.code, step.thumb), MAKELPARAM(inside.x, inside.y));
    }
    switch (wheel ? -1 : step.code) {
      case SB_LINELEFT: pos = pos - 1 < 0 ? 0 : pos - 1; break;
      case SB_LINERIGHT: pos = pos + 1 > max ? max : pos + 1; break;
      case SB_PAGELEFT: pos = pos - 5 < 0 ? 0 : pos - 5; break;
      case SB_PAGERIGHT: pos = pos + 5 > max ? max : pos + 5; break;
      case SB_THUMBPOSITION:
      case SB_THUMBTRACK: pos = step.thumb; break;
      case SB_LEFT: pos = 0; break;
      case SB_RIGHT: pos = max; break;
      default: break;
    }
    if (!wheel) SendAndWait(s.session.view(), step.message, MAKEWPARAM(step.code, step.thumb), 0);
    const std::string name = std::string("view.scroll_") + step.name;
    ScrollBarState bar;
    const bool read = s.session.ScrollBar(horizontal ? SB_HORZ : SB_VERT, bar);
    std::string detail;
    if (!read || bar.position != pos)
      detail = "scroll position " + (read ? std::to_string(bar.position) : std::string("unreadable")) + ", expected " +
               std::to_string(pos) + "; ";
    std::string picture;
    if (!s.session.ViewShows(s.model.Picture(), picture, scroll)) detail += picture;
    s.log().Expect(detail.empty(), name, detail);
  }
}

void SmallView(Scenario& s) {
  if (!s.session.PlaceWindow(600, 400)) {
    s.log().Fail("view.small", "the view does not follow the main window to 600 x 400");
    return;
  }
  const LONG style = GetWindowLongW(s.session.view(), GWL_STYLE);
  s.log().Expect((style & WS_HSCROLL) && (style & WS_VSCROLL), "view.small_has_both_scroll_bars",
                 "view style " + Hex(static_cast<unsigned long>(style)));
  const SIZE client = s.session.ViewClientSize();
  ScrollBarState h, v;
  const bool read = s.session.ScrollBar(SB_HORZ, h) && s.session.ScrollBar(SB_VERT, v);
  // The range is the whole canvas, the page (the thumb's size) the visible part.
  s.log().Expect(read && h.minimum == 0 && h.maximum == CanvasWidth - 1 && h.page == client.cx && v.minimum == 0 &&
                     v.maximum == CanvasHeight - 1 && v.page == client.cy && h.position == 0 && v.position == 0,
                 "view.small_scroll_ranges_and_pages",
                 "client " + Size(client.cx, client.cy) + ", horizontal " + std::to_string(h.minimum) + ".." +
                     std::to_string(h.maximum) + " page " + std::to_string(h.page) + " at " +
                     std::to_string(h.position) + ", vertical " + std::to_string(v.minimum) + ".." +
                     std::to_string(v.maximum) + " page " + std::to_string(v.page) + " at " +
                     std::to_string(v.position));
  s.View("view.small_shows_top_left");
  Point scroll{0, 0};
  ScrollSteps(s, scroll);

  // Scrolled to both ends, the view grows: the canvas must still end at the view's edge.
  if (!s.session.PlaceWindow(700, 460)) {
    s.log().Fail("view.grow_pulls_scroll_back", "the view does not follow the main window to 700 x 460");
    return;
  }
  const SIZE grown = s.session.ViewClientSize();
  const Point pulled{CanvasWidth - grown.cx, CanvasHeight - grown.cy};
  ScrollBarState gh, gv;
  const bool grownRead = s.session.ScrollBar(SB_HORZ, gh) && s.session.ScrollBar(SB_VERT, gv);
  s.log().Expect(grownRead && gh.position == pulled.x && gv.position == pulled.y,
                 "view.grow_pulls_scroll_position_back",
                 "positions " + std::to_string(gh.position) + ", " + std::to_string(gv.position) + " expected " +
                     std::to_string(pulled.x) + ", " + std::to_string(pulled.y));
  s.View("view.grow_shows_canvas_end", pulled);
}
}  // namespace

void RunViewChecks(const DriverContext& context) {
  Scenario s(context, "view");
  if (!s.Start()) return;
  StatusBarToggle(s);
  WideView(s, "view.wide");
  SmallView(s);
  WideView(s, "view.wide_again");
}
