#include "zoom_commands.h"

#include <windows.h>

#include "map_view.h"

void ZoomInCommand() { SetViewZoom(ViewZoom() + 1); }
void ZoomOutCommand() { SetViewZoom(ViewZoom() - 1); }
void ActualSizeCommand() { SetViewZoom(1); }

void ZoomByWheel(int delta) {
  static int pending = 0;
  pending += delta;
  while (pending >= WHEEL_DELTA) {
    pending -= WHEEL_DELTA;
    ZoomInCommand();
  }
  while (pending <= -WHEEL_DELTA) {
    pending += WHEEL_DELTA;
    ZoomOutCommand();
  }
}
