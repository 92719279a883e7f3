// ViewGeometry: where the 800 x 520 canvas shows inside the map view.
//
// Per axis, with client size c and canvas size k: a view larger than the canvas shows all of
// it from client position (c - k) / 2; otherwise the view shows c pixels of the canvas from
// the scroll position on, at client position 0.
#pragma once

#include "load_screen_document.h"

struct ViewGeometry {
  int originX = 0, originY = 0;  // client position of the first canvas pixel shown
  int canvasX = 0, canvasY = 0;  // that pixel's canvas position (the scroll position)
  int width = 0, height = 0;     // size of the canvas part shown
};

ViewGeometry GeometryFor(int clientWidth, int clientHeight, Point scroll);
