#include "expected_screen.h"

#include "editor_start.h"
#include "image_files.h"
#include "input.h"
#include "marker_commands.h"
#include "symbol_marker.h"
#include "memory_image.h"
#include "renderer.h"

bool ExpectedScreen::Load(const std::string& appDir, std::string& error) {
  document_.appDir = appDir;
  return StartEditorDocument(document_, history_, error);
}

void ExpectedScreen::Key(int virtualKey, int modifiers) {
  OnKeyWithHistory(document_, history_, mode_, virtualKey, KeyStep((modifiers & kCtrl) != 0, (modifiers & kShift) != 0));
}

bool ExpectedScreen::AddSymbol(const std::string& fileName, Pixel colour, std::string& error) {
  std::string problem;
  if (AddSymbolMarker(document_, fileName, colour, {100, 100}, problem)) return true;
  error = "the driver cannot read the symbol " + problem;
  return false;
}

void ExpectedScreen::MouseDown(Point canvas) { drag_.Press(document_, history_, canvas); }

void ExpectedScreen::MouseMove(Point canvas) { drag_.Move(document_, canvas); }

void ExpectedScreen::MouseUp() { drag_.Release(document_, history_); }

const DibImage& ExpectedScreen::Picture() {
  if (!canvas_.IsValid()) canvas_.Create(CanvasWidth, CanvasHeight);
  RenderLoadScreen(document_, &canvas_);
  return canvas_;
}
