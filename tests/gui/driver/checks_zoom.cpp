// The view's zoom: at 200 % every picture pixel is a 2 x 2 block of the same colour, the
// scroll bars run over the zoomed picture and the mode part names the zoom; a marker dragged
// at 200 % follows the pointer in picture pixels; Ctrl+wheel and Ctrl+0 zoom too; zooming
// out and Actual size give back exactly the picture as it was; Fit to window picks the
// largest zoom that shows the whole picture.
#include <windows.h>

#include <string>
#include <vector>

#include "input.h"
#include "memory_image.h"
#include "picture_compare.h"
#include "remote_controls.h"
#include "resource.h"
#include "scenario_support.h"
#include "scenarios.h"

namespace {

constexpr int kZoom = 2;

// The view's client area must show the model's picture blown up kZoom times, from the
// scroll bars' positions on.
void ExpectZoomedView(Scenario& s, const std::string& name) {
  const Image& picture = s.model.Picture();
  MemoryImage zoomed;
  zoomed.Create(picture.width * kZoom, picture.height * kZoom);
  for (int y = 0; y < zoomed.height; ++y)
    for (int x = 0; x < zoomed.width; ++x) zoomed.WritePixel(x, y, picture.ReadPixel(x / kZoom, y / kZoom));
  ScrollBarState horizontal, vertical;
  const SIZE client = s.session.ViewClientSize();
  if (!s.session.ScrollBar(SB_HORZ, horizontal) || !s.session.ScrollBar(SB_VERT, vertical)) {
    s.log().Fail(name, "cannot read the scroll bars");
    return;
  }
  POINT origin{0, 0};
  ClientToScreen(s.session.view(), &origin);
  const RECT area{origin.x, origin.y, origin.x + client.cx, origin.y + client.cy};
  ScreenPicture got;
  PictureDifference difference;
  const bool same = WaitUntil(
      [&] {
        if (!CaptureScreen(area, got)) return false;
        difference = ComparePictures(got, zoomed, horizontal.position, vertical.position);
        return difference.count == 0;
      },
      kPictureWaitMs, 20);
  s.log().Expect(same, name,
                 DescribeDifference(difference) + " (scrolled to " + std::to_string(horizontal.position) + ", " +
                     std::to_string(vertical.position) + ")");
}

// Client point of the middle of picture pixel `p`'s block with the view scrolled to the top left.
POINT ZoomedScreenPoint(const EditorSession& session, Point p) {
  POINT point{p.x * kZoom + kZoom / 2, p.y * kZoom + kZoom / 2};
  ClientToScreen(session.view(), &point);
  return point;
}

void DragAtZoom(Scenario& s) {
  const Point from{101, 101}, to{151, 133};  // the marker added at (100, 100), and where it goes
  MoveMouseTo(ZoomedScreenPoint(s.session, from));
  PressMouseButton();
  s.model.MouseDown(from);
  WaitUntil([&] { return s.session.MouseCapture() != nullptr; }, kDefaultWaitMs);
  MoveMouseTo(ZoomedScreenPoint(s.session, to));
  s.model.MouseMove(to);
  ReleaseMouseButton();
  s.model.MouseUp();
  WaitUntil([&] { return s.session.MouseCapture() == nullptr; }, kDefaultWaitMs);
  ExpectZoomedView(s, "zoom.drag_at_200_moves_in_picture_pixels");
}

// View > Fit to window (Ctrl+B): the largest zoom that shows the whole picture, from the
// view's whole size (scroll bars of a larger zoom not counted). In a view of exactly
// 1600 x 1040 that is 200 %; in the standard 840 x 560 one, 100 %.
void FitToWindow(Scenario& s) {
  s.session.Command(IDM_ZOOM_IN);
  s.session.Command(IDM_ZOOM_IN);
  s.model.SetZoom(3);
  if (s.log().Expect(s.session.PlaceWindow(CanvasWidth * kZoom, CanvasHeight * kZoom), "zoom.fit_to_window_view_placed",
                     "the view does not take 1600 x 1040")) {
    s.model.SetArea({CanvasWidth * kZoom, CanvasHeight * kZoom});
    TypeShortcut('B', kCtrl);
    s.model.Command(IDM_FIT_TO_WINDOW);
    ExpectStatus(s.context, s.session, 1, L"Current mode: Move small map (200%)", "zoom.fit_to_window_picks_200");
    // The whole picture shows: no scroll bars (the view reaches past the screen's edge, so
    // its pixels are not read here).
    const LONG style = GetWindowLongW(s.session.view(), GWL_STYLE);
    s.log().Expect(s.model.Zoom() == kZoom && (style & (WS_HSCROLL | WS_VSCROLL)) == 0,
                   "zoom.fit_to_window_shows_the_whole_picture",
                   "model zoom " + std::to_string(s.model.Zoom()) + ", view style " + std::to_string(style));
  }
  s.session.PlaceWindow(kStandardViewWidth, kStandardViewHeight);
  s.model.SetArea({kStandardViewWidth, kStandardViewHeight});
  s.session.Command(IDM_FIT_TO_WINDOW);
  ExpectStatus(s.context, s.session, 1, L"Current mode: Move small map", "zoom.fit_to_window_in_a_small_view");
  s.View("zoom.fit_to_window_small_view_picture");
}

}  // namespace

void RunZoomChecks(const DriverContext& context) {
  Scenario s(context, "zoom");
  if (!s.Start()) return;
  std::vector<CatalogueEntry> catalogue;
  std::string error;
  if (!ReadSymbolCatalogue(s.context, catalogue, error)) {
    s.log().Fail("zoom.catalogue", error);
    return;
  }
  if (!AddMarkerThroughDialog(s, catalogue, 0, IDC_SIDE_COLOUR_RED, "zoom.add_marker")) return;
  s.View("zoom.starts_at_actual_size");

  s.session.Command(IDM_ZOOM_IN);
  SendAndWait(s.session.view(), WM_HSCROLL, SB_TOP, 0);
  SendAndWait(s.session.view(), WM_VSCROLL, SB_TOP, 0);
  ExpectZoomedView(s, "zoom.200_shows_2x2_blocks");
  ExpectStatus(s.context, s.session, 1, L"Current mode: Move small map (200%)", "zoom.status_names_the_zoom");
  ScrollBarState horizontal;
  s.log().Expect(s.session.ScrollBar(SB_HORZ, horizontal) && horizontal.maximum == CanvasWidth * kZoom - 1,
                 "zoom.scroll_bar_in_screen_pixels", "range up to " + std::to_string(horizontal.maximum));
  DragAtZoom(s);

  // A notch forward with Ctrl zooms in, Ctrl+0 goes back to one screen pixel per pixel.
  POINT inside = ZoomedScreenPoint(s.session, {50, 50});
  SendAndWait(s.session.main(), WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, WHEEL_DELTA), MAKELPARAM(inside.x, inside.y));
  ExpectStatus(s.context, s.session, 1, L"Current mode: Move small map (300%)", "zoom.ctrl_wheel_zooms_in");
  s.session.Command(IDM_ZOOM_OUT);
  s.session.Command(IDM_ZOOM_OUT);
  s.View("zoom.zoom_out_gives_back_the_picture");
  ExpectStatus(s.context, s.session, 1, L"Current mode: Move small map", "zoom.status_at_actual_size");
  s.session.Command(IDM_ZOOM_IN);
  TypeShortcut('0', kCtrl);
  s.View("zoom.ctrl_0_gives_back_the_picture");
  FitToWindow(s);
}
