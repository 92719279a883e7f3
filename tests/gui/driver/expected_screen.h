// ExpectedScreen: the driver's own copy of the editor's document.
//
// Every scenario opens one on the same staged package as the editor and applies, through
// the core's document functions, the same operations it makes the editor do (keys, markers,
// mouse drags, layer switches). Its picture - the core renderer drawing into a DibImage, as
// the editor's view canvas does - is what the view must show, pixel for pixel. The menu
// state the core asks for (the "Delete item" command, the layer check marks) is recorded
// too, so checks can compare the editor's menu with it. Its undo history records the same
// steps as the editor's, when the scenario tells it where the editor's commands end a group.
#pragma once

#include <string>

#include "dib_image.h"
#include "document_shell.h"
#include "edit_keys.h"
#include "load_screen_document.h"
#include "marker_drag.h"
#include "undo_history.h"

class RecordingShell final : public DocumentShell {
 public:
  void SetSideStatus(const char* text) override { sideStatus = text; }
  void SetDeleteItemEnabled(bool enabled) override { deleteItemEnabled = enabled; }
  void SetLayerChecks(bool top, bool bottom) override {
    topLayerChecked = top;
    bottomLayerChecked = bottom;
  }

  std::string sideStatus;
  bool deleteItemEnabled = false;
  bool topLayerChecked = false;
  bool bottomLayerChecked = false;
};

class ExpectedScreen {
 public:
  ExpectedScreen() : document_(&shell_) {}
  ExpectedScreen(const ExpectedScreen&) = delete;
  ExpectedScreen& operator=(const ExpectedScreen&) = delete;

  // Loads the package in `appDir` (ending with a backslash) the way the editor starts:
  // common templates, side 0 with two cameo slots, both layers. False with `error` set when
  // a template is missing.
  bool Load(const std::string& appDir, std::string& error);

  LoadScreenDocument& document() { return document_; }
  UndoHistory& history() { return history_; }
  // What a menu command does to the history first: a run of key moves ends.
  void Command() { history_.EndGroup(document_); }
  bool Undo() { return history_.Undo(document_); }
  bool Redo() { return history_.Redo(document_); }
  const RecordingShell& shell() const { return shell_; }
  EditMode mode() const { return mode_; }
  void SetMode(EditMode mode) { mode_ = mode; }

  // One key press with the modifiers of input.h (step 1, 2, 5 or 10).
  void Key(int virtualKey, int modifiers);
  // The add-item dialog's OK: Templates\fileName tinted with `colour`, added at (100, 100).
  // False with `error` set when the symbol cannot be read.
  bool AddSymbol(const std::string& fileName, Pixel colour, std::string& error);
  // The mouse in the view, in canvas coordinates: press, drag, release.
  void MouseDown(Point canvas);
  void MouseMove(Point canvas);
  void MouseUp();
  void ToggleTopLayer() { document_.SetLayers(!document_.viewTop, document_.viewBottom); }
  void ToggleBottomLayer() { document_.SetLayers(document_.viewTop, !document_.viewBottom); }

  // The picture the view must show now, rendered into a DibImage of 800 x 520.
  const DibImage& Picture();

 private:
  RecordingShell shell_;
  UndoHistory history_;
  LoadScreenDocument document_;
  EditMode mode_ = EditMode::SmallMap;
  DibImage canvas_;
  MarkerDrag drag_;
};
