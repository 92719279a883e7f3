#include "view_geometry.h"

namespace {
void Axis(int client, int canvas, int scroll, int& origin, int& start, int& length) {
  if (client > canvas) {
    origin = (client - canvas) / 2;
    start = 0;
    length = canvas;
  } else {
    origin = 0;
    start = scroll;
    length = client;
  }
}
}  // namespace

ViewGeometry GeometryFor(int clientWidth, int clientHeight, Point scroll) {
  ViewGeometry g;
  Axis(clientWidth, CanvasWidth, scroll.x, g.originX, g.canvasX, g.width);
  Axis(clientHeight, CanvasHeight, scroll.y, g.originY, g.canvasY, g.height);
  return g;
}
