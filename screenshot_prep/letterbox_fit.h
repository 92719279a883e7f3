// Where a picture is drawn in a pane of another shape without distorting it: scaled by
// one factor on both axes (up or down) until it touches two opposite sides of the pane,
// centred, with bars of the pane left on the other two sides.
#pragma once

struct Letterbox {
  int x = 0, y = 0;           // top-left of the drawn picture in the pane
  int width = 0, height = 0;  // drawn size; 0 x 0 when nothing can be drawn
};

// A picture of imageWidth x imageHeight in a pane of paneWidth x paneHeight. The side that
// limits the scale is filled exactly; the other is the picture's proportion of it, rounded
// down, at least 1. Offsets are (pane - drawn) / 2, integer division. A picture or pane
// without pixels gives an empty box.
Letterbox FitLetterbox(int imageWidth, int imageHeight, int paneWidth, int paneHeight);
