// How small the main window may be made.
#pragma once

#include <windows.h>

// Keeps the menu bar on one line and the status bar readable (its side and mode parts
// whole and a start of the key hint), measured with the menu font for the DPI of the
// window's monitor, so it fits the captions of either language. Measured again only for
// another menu (the language) or another DPI.
class WindowSizeLimits {
 public:
  // WM_GETMINMAXINFO.
  void Apply(HWND window, MINMAXINFO& limits);

 private:
  HMENU measuredMenu_ = nullptr;
  int measuredDpi_ = 0;
  SIZE minimum_{};
};
