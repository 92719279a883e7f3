// The map view ("ViewClass"): a child of the main window that shows the composed load
// screen from an 800 x 520 canvas at a whole-number zoom, centred when the view is larger and scrolled when it is
// smaller. The mouse selects and drags markers; the keys (handed over by the main window)
// move the selected marker or what the edit mode names. Every document change is painted
// at once through a device context taken for the purpose, not by invalidation.
#pragma once

#include <windows.h>

#include "edit_keys.h"

LRESULT CALLBACK MapViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Renders the document into the canvas, copies the visible part to `dc` and writes the
// mode into the status bar.
void PaintView(HDC dc);
// PaintView into the view's own device context; nothing before the view exists.
void RepaintView();
void OnViewSize(int width, int height);
// `bar` is SB_HORZ or SB_VERT; codes above SB_BOTTOM are ignored.
void OnViewScroll(int bar, int code, int thumb);
// A mouse wheel turned by `delta` (WHEEL_DELTA units, positive towards the top or left)
// on `bar`'s axis; nothing when that axis shows the whole canvas.
void OnViewWheel(int bar, int delta);
// A key pressed in the main window, with the step that Ctrl and Shift give.
void OnKey(int key);

// The zoom: every picture pixel shows as a zoom x zoom block (kMinZoom .. kMaxZoom). Setting
// it keeps the picture pixel in the middle of the view where it was and repaints.
int ViewZoom();
void SetViewZoom(int zoom);

// Sets the mode, moves the Mode menu's radio mark and repaints.
void SetEditMode(EditMode mode);
// Ends a marker drag in progress (the marker list changed under it).
void EndMarkerDrag();
