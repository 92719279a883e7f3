// MapView ("ViewClass"): a child of the main window that shows the composed load screen
// from an 800 x 520 canvas at a whole-number zoom, centred on a grey margin when the view is
// larger and scrolled when it is smaller. The mouse selects and drags markers; the keys (handed over
// by the main window) move the selected marker or what the edit mode names. Every document
// change is painted at once through a device context taken for the purpose, not by
// invalidation. A double click in the margin around the picture asks the main window for
// the load screen settings, as a double click on the main window does.
#pragma once

#include <windows.h>

#include <functional>

#include "dib_image.h"
#include "editing_session.h"
#include "editor_view.h"
#include "export_preview.h"
#include "marker_drag.h"
#include "status_line.h"
#include "view_scroll.h"

inline constexpr char kViewWindowClass[] = "ViewClass";

class MapView final : public EditorView {
 public:
  // `stateChanged` is called when the mode, the zoom or the preview changed by the view's
  // own doing (the preview switching itself off), so the menus follow.
  MapView(EditingSession& session, StatusLine& status, Prompts& prompts, std::function<void()> stateChanged);
  // The view canvas; false when it cannot be made.
  bool MakeCanvas() { return canvas_.Create(CanvasWidth, CanvasHeight); }
  static bool RegisterWindowClass(WNDCLASSEXA windowClass);
  // A child of `parent`; null when the window cannot be made.
  HWND Create(HWND parent);
  HWND window() const { return window_; }
  // Where the picture is on the screen (its visible part, at the zoom).
  RECT PictureOnScreen() const;
  // The document's picture is ready: the view draws it from now on. Until then (the start
  // shows the window while the templates are read) it shows its grey background.
  void ShowPicture();

  void Repaint() override;
  int Zoom() const override { return zoom_; }
  void SetZoom(int zoom) override;
  ViewArea Area() const override;
  EditMode Mode() const override { return mode_; }
  void SetMode(EditMode mode) override;
  PreviewChoice Preview() const override { return preview_.Choice(); }
  void SetPreview(const PreviewChoice& choice) override;

  // A key pressed in the main window, with the step that Ctrl and Shift give.
  void OnKey(int key);
  // A mouse wheel turned by `delta` (WHEEL_DELTA units, positive towards the top or left)
  // on `bar`'s axis (SB_HORZ or SB_VERT); nothing when that axis shows the whole canvas.
  void OnWheel(int bar, int delta);
  // The wheel with Ctrl held: one zoom step per notch; fine-grained wheels add up to notches.
  void OnZoomWheel(int delta);
  // Ends a marker drag in progress (the marker list changed under it).
  void EndDrag();

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint(HDC dc);
  void PaintMargins(HDC dc, const RECT& client) const;
  // The class background (a system colour), for what the picture does not cover.
  HBRUSH Background() const;
  void OnSize(int width, int height);
  void OnScroll(int bar, int code, int thumb);
  void FitAxis(int bar, ViewAxis& axis, int clientSize, int canvasSize);
  void Refit();
  Point CanvasPoint(int clientX, int clientY) const;
  int ZoomedWidth() const { return CanvasWidth * zoom_; }
  int ZoomedHeight() const { return CanvasHeight * zoom_; }
  void OnButtonDown(int clientX, int clientY);
  void OnMouseMove(int clientX, int clientY);
  void OnDoubleClick(int clientX, int clientY);
  void OnButtonUp();
  void OnCaptureLost();

  EditingSession& session_;
  StatusLine& status_;
  std::function<void()> stateChanged_;
  ExportPreview preview_;
  DibImage canvas_;
  HWND window_ = nullptr;
  EditMode mode_ = EditMode::SmallMap;
  ViewAxis horizontal_;
  ViewAxis vertical_;
  MarkerDrag drag_;
  bool capturing_ = false;
  bool pictureReady_ = false;
  int sizeGeneration_ = 0;
  // Every picture pixel is a zoom x zoom block; the axes work in screen pixels.
  int zoom_ = 1;
  int pendingWheel_[2] = {0, 0};
  int pendingZoomWheel_ = 0;
};
