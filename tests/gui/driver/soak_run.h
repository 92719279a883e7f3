// The soak's rounds: SoakRun drives one editor through round after round of what a user does
// in a long session (see checks_soak.cpp), each round a list of named steps. A step records
// its own failure as "soak.<step>" with the round's number; the round stops at the first.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "catalogue.h"
#include "content_dialog_steps.h"
#include "input.h"
#include "package_staging.h"
#include "remote_controls.h"
#include "scenario.h"
#include "shp_export.h"

inline constexpr int kSoakMarkersPerRound = 6;
inline constexpr int kSoakExportTimeoutMs = 60000;

struct Tally {
  int markers = 0, mapKeys = 0, sideSwitches = 0, cameos = 0, screenshots = 0, crops = 0, colourizes = 0, exports = 0,
      saves = 0, abouts = 0, copies = 0, undos = 0, reopens = 0;
};

// Paints `window` and its controls now (see soak_run.cpp); Press shows a dialog once more,
// then presses `button`.
void Shown(HWND window);
void Press(HWND dialog, int button);

class SoakRun : public Scenario {
 public:
  explicit SoakRun(const DriverContext& context) : Scenario(context, "soak"), folder_(context.scratchDir + L"\\soak") {}

  bool Prepare();
  bool Round(int round);
  void FinalChecks();
  const Tally& tally() const { return tally_; }

 private:
  // Records a failed step of the current round; returns ok.
  bool Step(bool ok, const std::string& step, const std::string& detail) {
    if (!ok) context.log.Fail("soak." + step, "round " + std::to_string(round_) + ": " + detail);
    return ok;
  }
  bool ViewMatches(const char* when) {
    std::string detail;
    const bool same = session.ViewShows(model.Picture(), detail);
    return Step(same, "view_equals_render", std::string(when) + ": " + detail);
  }
  // The editor's dialog `caption`, shown in full; null when it does not open.
  HWND Dialog(const std::wstring& caption) const {
    HWND dialog = session.WaitForDialog(caption);
    if (dialog) Shown(dialog);
    return dialog;
  }
  std::wstring File(const wchar_t* name) const { return folder_ + L"\\" + name; }
  Point CentreOf(int marker) {
    const Marker& m = model.document().markers.MarkerAt(marker);
    return {m.x + m.image.width / 2, m.y + m.image.height / 2};
  }
  bool Key(int key, int modifiers) {
    model.Key(key, modifiers);
    return session.PressKey(key, modifiers);
  }
  // Puts the pointer on `screen` and waits until the editor has taken the pointer events
  // before it. Under Wine the editor's thread hands each move of the X pointer back as
  // input when it next reads its X events; an echo of an older place that arrives after a
  // later move puts the pointer back there, and with it a marker being dragged.
  bool SettlePointer(POINT screen) const {
    for (int attempt = 0; attempt < 5; ++attempt) {
      MoveMouseTo(screen);
      for (int i = 0; i < 2; ++i) {
        Sleep(15);
        SendAndWait(session.main(), WM_NULL, 0, 0);
      }
      POINT now{};
      GetCursorPos(&now);
      if (now.x == screen.x && now.y == screen.y) return true;
    }
    return false;
  }
  // The mouse work done, the pointer rests in the view's bottom-left margin, where no
  // dialog opens: a control under the pointer as its dialog opens is drawn "hot", and left
  // by the last marker it would be another control each round (see Shown).
  bool ParkPointer() const { return SettlePointer(session.CanvasToScreen({-12, CanvasHeight + 12})); }
  bool ClosesWithoutError(HWND dialog, const std::string& step, int timeoutMs = kDefaultWaitMs);
  bool ErrorBoxClosed(HWND box, const std::string& step);
  bool SavedWithoutError(const std::string& step);
  bool ChooseSaveFile(UINT command, const std::wstring& path, const std::string& step);

  bool AddMarker(int line, int radio);
  bool Markers();
  bool MapKeys();
  bool LoadScreenSettings();
  bool TakeScreenshot(HWND settings, const TestPicture& picture);
  bool Colourize();
  bool ExportThroughDialog(const wchar_t* shp, PaletteMode mode, int colours);
  bool SaveImage();
  bool About();
  bool UndoRedo();
  bool SaveAndReopen();
  // The round's steps that take no arguments of their own.
  bool ExportNewPalette() { return ExportThroughDialog(L"soak.shp", NewPalette, 256); }
  bool ExportExistingPalette() {
    return ExportThroughDialog(L"soak_existing.shp", ExistingPalette, 1 + round_ * 53 % 256);
  }
  bool Copy();
  bool ViewAtEndOfRound() { return ViewMatches("at the end of the round"); }

  std::wstring folder_;
  std::vector<CatalogueEntry> symbols_, cameos_;
  int round_ = 0;
  Tally tally_;
};
