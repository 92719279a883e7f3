// ExpectedScreen: the driver's model of what the editor must show, built on the editor's own
// core: an editing session on the same staged package, and the view's mode, zoom and preview.
//
// Every scenario applies to it the operations it makes the editor do, through the same
// session functions and menu commands the editor runs (keys, markers, mouse drags, layer
// switches, undo). Its picture - the core renderer drawing into a DibImage, as the editor's
// view canvas does - is what the view must show, pixel for pixel, and the command states of
// its session are what the editor's menu must show.
#pragma once

#include <string>

#include "command_states.h"
#include "dib_image.h"
#include "editing_session.h"
#include "editor_commands.h"
#include "editor_view.h"
#include "marker_drag.h"
#include "view_zoom.h"

class ExpectedScreen final : public EditorView {
 public:
  ExpectedScreen() = default;
  ExpectedScreen(const ExpectedScreen&) = delete;
  ExpectedScreen& operator=(const ExpectedScreen&) = delete;

  // Starts the session on the package in `appDir` (ending with a backslash) as the editor
  // starts. False with `error` set when a template is missing.
  bool Load(const std::string& appDir, std::string& error) { return session_.Start(appDir, error); }

  EditingSession& session() { return session_; }
  LoadScreenDocument& document() { return session_.document(); }
  UndoHistory& history() { return session_.history(); }

  // Menu command `id` as the editor runs it: the session's and the view's own commands take
  // effect; for the others (dialogs, files) a run of key moves ends, as the editor's does.
  void Command(int id) { RunEditorCommand(session_, *this, id); }
  // The state the editor's menu shows for command `id`.
  CommandState MenuState(int id) const;

  // One key press with the modifiers of input.h (step 1, 2, 5 or 10).
  void Key(int virtualKey, int modifiers);
  // The add-item dialog's OK: Templates\fileName tinted with `colour`, added at (100, 100).
  // False with `error` set when the symbol cannot be read.
  bool AddSymbol(const std::string& fileName, Pixel colour, std::string& error);
  // The mouse in the view, in canvas coordinates: press, drag, release.
  void MouseDown(Point canvas);
  void MouseMove(Point canvas);
  void MouseUp();

  // The picture the view must show now, rendered into a DibImage of 800 x 520.
  const DibImage& Picture();

  // EditorView: the model draws only when asked for its picture.
  void Repaint() override {}
  int Zoom() const override { return zoom_; }
  void SetZoom(int zoom) override { zoom_ = ClampZoom(zoom); }
  // The editor's view size as the scenario made it (Start gives 840 x 560).
  ViewArea Area() const override { return area_; }
  void SetArea(ViewArea area) { area_ = area; }
  EditMode Mode() const override { return mode_; }
  void SetMode(EditMode mode) override { mode_ = mode; }
  PreviewChoice Preview() const override { return preview_; }
  void SetPreview(const PreviewChoice& choice) override { preview_ = choice; }

 private:
  EditingSession session_;
  EditMode mode_ = EditMode::SmallMap;
  int zoom_ = 1;
  ViewArea area_{840, 560};
  PreviewChoice preview_;
  DibImage canvas_;
  MarkerDrag drag_;
};
