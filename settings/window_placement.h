// Where the main window was when the editor last closed, kept in the user's settings file
// beside the interface language:
//
//   [Window]
//   Left=120
//   Top=80
//   Width=1024
//   Height=700
//   Maximized=no
//
// Left, Top, Width and Height are the window's restored (not maximized) rectangle in screen
// pixels. A missing section, a missing or malformed entry, or a width or height below 1
// all mean no placement: the window opens where the system puts it.
#pragma once

#include <string>
#include <string_view>

struct WindowPlacement {
  int left = 0, top = 0, width = 0, height = 0;
  bool maximized = false;
};

// False when the text has no complete, sane placement (`placement` is then unchanged).
bool ParseWindowPlacement(std::string_view fileText, WindowPlacement& placement);
// The [Window] section for `placement` (CR LF lines).
std::string FormatWindowPlacement(const WindowPlacement& placement);

// A rectangle on the screen (right and bottom exclusive).
struct ScreenRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};
// `window` moved, not resized, the least distance that puts it inside `area`; one wider or
// higher than the area gets the area's left or top edge, so its caption stays reachable.
ScreenRect MoveInside(ScreenRect window, ScreenRect area);
// Where a remembered window rectangle goes on the screen whose work area is `area`: its width
// and height brought to at least the window's minimum size and at most the area's (the
// minimum wins on a smaller screen), then moved inside as MoveInside does. A placement of
// 1 x 1 or 99999 x 99999 read from a damaged settings file so opens at a size one can work
// with, its caption on the screen.
ScreenRect FitWindowOnScreen(ScreenRect window, ScreenRect area, int minimumWidth, int minimumHeight);
// Where a `width` x `height` window goes beside `anchor` inside `area`: right of it, else
// left of it, top edges level (moved inside the area). False when neither side has room.
bool PlaceBeside(int width, int height, ScreenRect anchor, ScreenRect area, ScreenRect& placed);

// `fileText` with its section `name` (the header and the lines up to the next header)
// replaced by `sectionText`, or with `sectionText` added at the end when there is none.
// Every other line is kept as it was, so each setting can be saved without losing the rest.
std::string ReplaceIniSection(std::string_view fileText, std::string_view name, std::string_view sectionText);
