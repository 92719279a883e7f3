#include "status_line.h"

#include <cmath>
#include <cstdio>
#include <utility>

namespace {

TextLine PreviewLine(const PreviewFigures& figures) {
  using Method = PreviewFigures::Method;
  TextLine line{{figures.ls640 ? Text::PreviewStart640 : Text::PreviewStart}};
  line.emplace_back(figures.method == Method::ExistingPalette ? Text::PreviewExisting
                    : figures.method == Method::Best          ? Text::PreviewBest
                                                              : Text::PreviewOctree);
  if (figures.dithered) line.emplace_back(Text::PreviewDithered);
  line.push_back({Text::PreviewColours, {{"count", std::to_string(figures.colours)}}});
  if (figures.computing) {
    line.emplace_back(Text::PreviewComputing);
  } else if (std::isinf(figures.psnr)) {
    line.emplace_back(Text::PreviewLossless);
  } else {
    char value[32];
    std::snprintf(value, sizeof value, "%.1f", figures.psnr);
    line.push_back({Text::PreviewDecibels, {{"value", value}}});
  }
  if (!figures.computing && figures.index0Pixels > 0)
    line.push_back({Text::PreviewIndex0, {{"count", std::to_string(figures.index0Pixels)}}});
  return line;
}

// The index as the select-item dialog's list shows it ("03").
TextLine SelectionLine(const MarkerPosition& selection) {
  char index[16];
  std::snprintf(index, sizeof index, "%02d", selection.index);
  return {{Text::SelectedMarker,
           {{"index", index}, {"x", std::to_string(selection.x)}, {"y", std::to_string(selection.y)}}}};
}

}  // namespace

Text ModeText(EditMode mode) {
  switch (mode) {
    case EditMode::LargeMap: return Text::ModeLargeMap;
    case EditMode::SmallMap: return Text::ModeSmallMap;
    default: return Text::ModeTargetBox;
  }
}

void StatusLine::ShowSide(const std::string& text) {
  if (text == side_) return;
  side_ = text;
  Changed(StatusPart::Side);
}

void StatusLine::ShowMode(EditMode mode, int zoom) {
  if (mode == mode_ && zoom == zoom_) return;
  mode_ = mode;
  zoom_ = zoom;
  Changed(StatusPart::Mode);
}

void StatusLine::ShowPreview(const std::optional<PreviewFigures>& figures) {
  if (figures == preview_) return;
  preview_ = figures;
  Changed(StatusPart::Hint);
}

void StatusLine::ShowSelection(const std::optional<MarkerPosition>& selection) {
  if (selection == selection_) return;
  selection_ = selection;
  Changed(StatusPart::Hint);
}

void StatusLine::ShowReport(TextLine report) {
  report_ = std::move(report);
  Changed(StatusPart::Hint);
}

void StatusLine::EndReport() {
  if (report_.empty()) return;
  report_.clear();
  Changed(StatusPart::Hint);
}

void StatusLine::ShowWarning(TextLine warning) {
  warning_ = std::move(warning);
  Changed(StatusPart::Hint);
}

void StatusLine::ClearWarning() {
  if (warning_.empty()) return;
  warning_.clear();
  Changed(StatusPart::Hint);
}

TextLine StatusLine::Part(StatusPart part) const {
  switch (part) {
    case StatusPart::Side: return {{Text::Verbatim, {{"text", side_}}}};
    case StatusPart::Mode:
      if (zoom_ == 1) return {{Text::ModeStatus, {{"mode", ModeText(mode_)}}}};
      return {{Text::ModeStatusZoomed, {{"mode", ModeText(mode_)}, {"zoom", std::to_string(zoom_ * 100)}}}};
    case StatusPart::Hint: break;
  }
  if (!warning_.empty()) return warning_;
  if (!report_.empty()) return report_;
  if (selection_) return SelectionLine(*selection_);
  if (preview_) return PreviewLine(*preview_);
  return {{Text::KeyHint}};
}
