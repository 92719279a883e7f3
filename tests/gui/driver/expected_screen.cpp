#include "expected_screen.h"

#include "editor_commands.h"
#include "input.h"
#include "renderer.h"
#include "symbol_marker.h"

CommandState ExpectedScreen::MenuState(int id) const {
  ViewState view;
  view.mode = mode_;
  view.preview = preview_;
  return StateOfCommand(id, session_, view);
}

void ExpectedScreen::Key(int virtualKey, int modifiers) {
  session_.Key(mode_, virtualKey, KeyStep((modifiers & kCtrl) != 0, (modifiers & kShift) != 0));
}

bool ExpectedScreen::AddSymbol(const std::string& fileName, Pixel colour, std::string& error) {
  std::string problem;
  if (AddSymbolMarker(document(), fileName, colour, {100, 100}, problem)) return true;
  error = "the driver cannot read the symbol " + problem;
  return false;
}

void ExpectedScreen::MouseDown(Point canvas) { drag_.Press(document(), history(), canvas); }
void ExpectedScreen::MouseMove(Point canvas) { drag_.Move(document(), canvas); }
void ExpectedScreen::MouseUp() { drag_.Release(document(), history()); }

const DibImage& ExpectedScreen::Picture() {
  if (!canvas_.IsValid()) canvas_.Create(CanvasWidth, CanvasHeight);
  RenderLoadScreen(document(), &canvas_);
  return canvas_;
}
