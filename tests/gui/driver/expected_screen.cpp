#include "expected_screen.h"

#include "image_files.h"
#include "input.h"
#include "marker_commands.h"
#include "memory_image.h"
#include "renderer.h"

bool ExpectedScreen::Load(const std::string& appDir, std::string& error) {
  document_.appDir = appDir;
  if (!document_.LoadCommonTemplates(error)) return false;
  if (!document_.SetSide(Allied) || !document_.SetCameoCount(2)) {
    error = "the package lacks a template of the Allied side";
    return false;
  }
  document_.SetLayers(true, true);
  document_.SetRecorder(&history_);
  history_.MarkSaved();
  return true;
}

void ExpectedScreen::Key(int virtualKey, int modifiers) {
  OnKeyWithHistory(document_, history_, mode_, virtualKey, KeyStep((modifiers & kCtrl) != 0, (modifiers & kShift) != 0));
}

bool ExpectedScreen::AddSymbol(const std::string& fileName, Pixel colour, std::string& error) {
  MemoryImage symbol;
  const std::string path = TemplatePath(document_.appDir, fileName);
  if (path.empty() || !LoadImageFile(path.c_str(), symbol)) {
    error = "the driver cannot read the symbol " + path;
    return false;
  }
  ReplaceColour(symbol, kSymbolSideColourKey, colour);
  AddMarker(document_, symbol, 100, 100, static_cast<int>(colour), fileName);
  return true;
}

void ExpectedScreen::MouseDown(Point canvas) {
  history_.EndGroup(document_);
  dragMarker_ = HitTestMarker(document_, canvas.x, canvas.y);
  if (dragMarker_ == -1) {
    ClearSelection(document_);
    return;
  }
  history_.BeginGroup(document_);
  SelectMarker(document_, dragMarker_);
  const Marker& marker = document_.markers.MarkerAt(dragMarker_);
  grabOffset_ = {canvas.x - marker.x, canvas.y - marker.y};
}

void ExpectedScreen::MouseMove(Point canvas) {
  if (dragMarker_ != -1) MoveMarkerTo(document_, dragMarker_, canvas.x - grabOffset_.x, canvas.y - grabOffset_.y);
}

void ExpectedScreen::MouseUp() {
  if (dragMarker_ != -1) history_.EndGroup(document_);
  dragMarker_ = -1;
}

const DibImage& ExpectedScreen::Picture() {
  if (!canvas_.IsValid()) canvas_.Create(CanvasWidth, CanvasHeight);
  RenderLoadScreen(document_, &canvas_);
  return canvas_;
}
