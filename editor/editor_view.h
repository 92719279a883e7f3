// EditorView: what the commands ask of the view that shows the screen, whatever draws it.
#pragma once

#include "edit_keys.h"

// The room a view has for the picture, in screen pixels, scroll bars not counted.
struct ViewArea {
  int width = 0;
  int height = 0;
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
  virtual bool PreviewOn() const = 0;
  virtual void SetPreview(bool on) = 0;
};
