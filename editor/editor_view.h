// EditorView: what the commands ask of the view that shows the screen, whatever draws it.
#pragma once

#include "edit_keys.h"

// The room a view has for the picture, in screen pixels, scroll bars not counted.
struct ViewArea {
  int width = 0;
  int height = 0;
};

// What the export preview shows: whether it is on, which of the export's pictures, and
// whether the pixels the games would show as holes are marked.
struct PreviewChoice {
  bool on = false;
  bool ls640 = false;       // the 640 x 400 picture of the games' 640 x 480 mode, not the 800 x 520
  bool markIndex0 = false;  // pixels on a coloured palette entry 0 drawn magenta
  bool operator==(const PreviewChoice&) const = default;
};

class EditorView {
 public:
  virtual ~EditorView() = default;
  // Draws the screen as the document holds it now.
  virtual void Repaint() = 0;
  // Every picture pixel shows as a zoom x zoom block (kMinZoom .. kMaxZoom); setting it
  // keeps the picture pixel in the middle of the view where it was.
  virtual int Zoom() const = 0;
  virtual void SetZoom(int zoom) = 0;
  // The room the picture may fill at a zoom that needs no scroll bars.
  virtual ViewArea Area() const = 0;
  // What the arrow keys move while no marker is selected.
  virtual EditMode Mode() const = 0;
  virtual void SetMode(EditMode mode) = 0;
  // The screen shown as an SHP export with the confirmed settings would show it.
  virtual PreviewChoice Preview() const = 0;
  virtual void SetPreview(const PreviewChoice& choice) = 0;
};
