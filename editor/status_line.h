// StatusLine: what the status bar's three parts say, decided in one place. The window layer
// draws it (one writer of the status bar control) whenever it tells of a change.
//
// Part 0 names the side and the cameo count, part 1 the edit mode and the zoom. Part 2, the
// hint, shows the first of these that holds:
//   1. a warning: a recovery copy that could not be written, until a write succeeds or no
//      copy is wanted any more;
//   2. a report of what was just written ("Saved ...", "Packed ...") or of what a refused
//      choice left ("The screenshot was not changed."), until the next change of the
//      screen, key or mouse press in the view, or language switch;
//   3. the selected marker's position, while one is selected;
//   4. the export preview's figures, while the preview is on;
//   5. the key hint.
// So a repaint of the preview never wipes a report, and nothing but success wipes a warning.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "edit_keys.h"
#include "interface_texts.h"

enum class StatusPart { Side = 0, Mode = 1, Hint = 2 };
inline constexpr int kStatusPartCount = 3;

// The figures of the export preview as its status names them.
struct PreviewFigures {
  enum class Method { Octree, Best, ExistingPalette };
  Method method = Method::Octree;
  bool dithered = false;
  int colours = 256;
  bool computing = false;  // the newest preview is not ready yet
  double psnr = 0;         // in dB; infinite for a lossless preview
  bool ls640 = false;      // of the 640 x 400 picture
  long index0Pixels = 0;   // on a coloured palette entry 0, which the games draw transparent
  bool operator==(const PreviewFigures&) const = default;
};

// The selected marker as its status names it: its index in the marker list and where it is.
struct MarkerPosition {
  int index = 0;
  int x = 0;
  int y = 0;
  bool operator==(const MarkerPosition&) const = default;
};

class StatusLine {
 public:
  // Called with the part whose text may have changed.
  void SetListener(std::function<void(StatusPart)> listener) { listener_ = std::move(listener); }

  void ShowSide(const std::string& text);
  void ShowMode(EditMode mode, int zoom);
  // The preview's figures while it is on; nullopt when it is off.
  void ShowPreview(const std::optional<PreviewFigures>& figures);
  // The selected marker; nullopt while none is selected.
  void ShowSelection(const std::optional<MarkerPosition>& selection);
  // A report of what was written; replaces an earlier one.
  void ShowReport(TextLine report);
  // The next change, key, press or language switch: a report showing ends.
  void EndReport();
  void ShowWarning(TextLine warning);
  void ClearWarning();
  int Zoom() const { return zoom_; }
  bool ShowsReport() const { return !report_.empty(); }
  bool ShowsWarning() const { return !warning_.empty(); }

  // What the part says now.
  TextLine Part(StatusPart part) const;

 private:
  void Changed(StatusPart part) {
    if (listener_) listener_(part);
  }

  std::function<void(StatusPart)> listener_;
  std::string side_;
  EditMode mode_ = EditMode::SmallMap;
  int zoom_ = 1;
  std::optional<PreviewFigures> preview_;
  std::optional<MarkerPosition> selection_;
  TextLine report_;
  TextLine warning_;
};

// The text of a mode for the status bar and the tests: "Move small map" ...
Text ModeText(EditMode mode);
