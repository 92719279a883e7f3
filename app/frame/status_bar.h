// The main window's status bar: three parts drawn from the StatusLine, sized for the DPI,
// each with a tip that shows its whole text where the part is too narrow for it. The one
// writer of the status bar control.
#pragma once

#include <windows.h>

#include "gdi_handles.h"
#include "status_line.h"

class StatusBar {
 public:
  explicit StatusBar(StatusLine& line);
  // Makes the control at the bottom of `parent`, with its parts for the parent's DPI and
  // the line's texts; from then on it follows the line. False when it could not be made;
  // the window then runs without one.
  bool Create(HWND parent);
  HWND window() const { return window_; }
  bool Shown() const;
  void Show(bool shown);
  // The height the bar takes at the bottom of its parent, after placing itself there; 0
  // while hidden or missing.
  int PlaceAndMeasure();
  // Every part again, in the interface language now in force.
  void RedrawAll();
  // The font and the part edges for a new DPI.
  void OnDpiChanged(int dpi);

 private:
  void Write(StatusPart part);
  // The part edges: 70 and 270 at 96 DPI, the mode part 60 wider while the view is zoomed
  // ("... (200%)" stays readable).
  void ScaleParts(int dpi);

  StatusLine& line_;
  HWND window_ = nullptr;
  OwnedFont font_;
  bool zoomed_ = false;  // the parts were last sized for a zoomed view
};
