// ViewAxis: one axis of the map view's window onto the canvas.
//
// A view larger than the canvas shows it whole, centred: `centre` is the client position of
// the canvas origin, `scroll` is 0 and `visible` the canvas size. A view not larger shows
// `visible` = client size pixels of the canvas from `scroll` on, with
// 0 <= scroll <= canvas size - visible. Both axes follow the same rule; the window layer
// turns the results into scroll bar calls.
#pragma once

struct ViewAxis {
  int centre = 0;
  int scroll = 0;
  int visible = 0;
};

// What FitViewAxis tells the window layer to do with the axis's scroll bar.
struct ViewAxisFit {
  bool scrollable = false;        // show a bar with range 0 .. scrollMax (empty range: hidden)
  bool scrollPulledBack = false;  // `scroll` changed: move the thumb
  int scrollMax = 0;
};

// Fits the axis to a client size (negative sizes count as 0). A view that grew while
// scrolled to the end keeps the canvas ending at its edge.
ViewAxisFit FitViewAxis(ViewAxis& axis, int clientSize, int canvasSize);

// Scroll bar codes of the platform (line, page, thumb, top, bottom).
namespace scroll_codes {
inline constexpr int kLineBack = 0, kLineForward = 1, kPageBack = 2, kPageForward = 3, kThumbPosition = 4,
                     kThumbTrack = 5, kTop = 6, kBottom = 7;
}

// Applies a scroll code: a line moves by 1, a page by 5, the thumb codes take `thumb`; the
// position stays within 0 .. canvasSize - visible. Returns false, changing nothing, for
// codes outside 0..7 (end of scrolling and others), which need no redraw.
bool ScrollViewAxis(ViewAxis& axis, int code, int thumb, int canvasSize);

// Moves the position by `pixels` (negative: back), within 0 .. canvasSize - visible.
// True when it moved.
bool ScrollViewAxisBy(ViewAxis& axis, int pixels, int canvasSize);

// A mouse wheel notch (delta 120) moves the view by this many pixels per wheel line.
inline constexpr int kWheelLinePixels = 16;
// Turns wheel deltas into a pixel distance to scroll: forward (positive delta) scrolls
// back, towards the top or left. `pending` keeps the part of a notch that fine-grained
// wheels have not completed yet; `linesPerNotch` is the user's setting (taken as 1 to 20).
int WheelScrollPixels(int& pending, int delta, int linesPerNotch);

// The canvas coordinate under a client coordinate.
inline int CanvasCoordinate(const ViewAxis& axis, int client) { return client - axis.centre + axis.scroll; }
