// The soak: round after round of what a user does in a long session, through the real
// dialogs, keys and mouse. A round adds markers with the add-item dialog, drags each with
// the mouse and nudges it with the keys, selects with the select-item dialog and Tab, and
// deletes them with a click and the Delete key or the menu; moves the maps in every mode;
// switches side, cameo count and cameos and takes two screenshots (the second cropped) in
// the load screen settings dialog; colourizes with Cancel and with OK; exports SHP files
// with a new and with an existing palette; saves the picture; opens About; copies to the
// clipboard; undoes and redoes the last changes, saves the scene and opens it again (which
// starts a fresh undo history, so the history's bounded memory is not mistaken for a leak).
// The view must equal the core's picture with the markers placed and at the end of every
// round.
//
// The editor's GDI and USER objects and its memory are read after the warm-up rounds and
// after the last round: they must stay flat. At the end the clipboard and the last exports
// are compared with the core's too. VANTOREL_SOAK_ROUNDS sets the rounds after the warm-up.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "clipboard_reader.h"
#include "colourize.h"
#include "content_commands.h"
#include "content_dialog_steps.h"
#include "crop_image.h"
#include "editor_ids.h"
#include "file_dialogs.h"
#include "image_files.h"
#include "input.h"
#include "marker_commands.h"
#include "package_staging.h"
#include "picture_compare.h"
#include "remote_controls.h"
#include "resource_usage.h"
#include "scenario_support.h"
#include "scenarios.h"
#include "shp_export.h"
#include "wide_text.h"
#include "window_search.h"

namespace {
namespace fs = std::filesystem;

// Rounds alternate in what they do (grey or levels, two or three slots): two rounds of
// warm-up draw every control in every state it takes. The heap takes two more to reach its
// working size (after two, private bytes still rose by 9.5 MB in the next four rounds and then
// not at all up to sixteen), so the figures are read after four.
constexpr int kWarmUpRounds = 4;
constexpr int kDefaultRounds = 4;
constexpr int kMaxRounds = 10000;
constexpr int kMarkersPerRound = 6;
constexpr int kExportTimeoutMs = 60000;

// Growth allowed between the end of the warm-up and the end.
// Objects: no path of the editor keeps an object beyond its operation, and with every
// dialog painted in full each time (see Shown) the system's controls have loaded all they
// keep during the warm-up, so the counts return exactly. The slack of two covers an object
// the system makes lazily at an odd moment; a leak of one object per dialog, export or
// marker repeats at least four times in the default rounds and fails.
constexpr int kObjectTolerance = 2;
// Memory: the heaps settle but do not shrink; over 32 rounds both figures stayed within a
// band of 3 MB. One lost 800 x 520 picture (1.6 MB) per export over the default rounds is
// 13 MB.
constexpr std::size_t kPrivateBytesTolerance = 6u << 20;
constexpr std::size_t kWorkingSetTolerance = 12u << 20;

struct Tally {
  int markers = 0, mapKeys = 0, sideSwitches = 0, cameos = 0, screenshots = 0, crops = 0, colourizes = 0, exports = 0,
      saves = 0, abouts = 0, copies = 0, undos = 0, reopens = 0;
};

int RoundsAsked() {
  wchar_t text[16] = {};
  const DWORD n = GetEnvironmentVariableW(L"VANTOREL_SOAK_ROUNDS", text, 16);
  const int rounds = n > 0 && n < 16 ? _wtoi(text) : 0;
  return rounds > 0 && rounds <= kMaxRounds ? rounds : kDefaultRounds;
}

// Paints `window` and its controls now, as a user sees a dialog before using it and
// after changing it. A dialog the driver closes at once might otherwise never be painted,
// and the states its themed controls are drawn in decide which pictures the system's
// theme loads and keeps for the run: the rounds would differ by chance.
void Shown(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// Shows `dialog` once more, then presses `button` (posted: it may open another window).
void Press(HWND dialog, int button) {
  Shown(dialog);
  PostMessageW(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
}

class SoakRun {
 public:
  SoakRun(const DriverContext& context, EditorSession& session, ExpectedScreen& model)
      : context_(context), session_(session), model_(model), folder_(context.scratchDir + L"\\soak") {}

  bool Prepare();
  bool Round(int round);
  void FinalChecks();
  const Tally& tally() const { return tally_; }

 private:
  // Records a failed step of the current round; returns ok.
  bool Step(bool ok, const std::string& step, const std::string& detail) {
    if (!ok) context_.log.Fail("soak." + step, "round " + std::to_string(round_) + ": " + detail);
    return ok;
  }
  bool ViewMatches(const char* when) {
    std::string detail;
    const bool same = session_.ViewShows(model_.Picture(), detail);
    return Step(same, "view_equals_render", std::string(when) + ": " + detail);
  }
  // The editor's dialog `caption`, shown in full; null when it does not open.
  HWND Dialog(const wchar_t* caption) const {
    HWND dialog = session_.WaitForDialog(caption);
    if (dialog) Shown(dialog);
    return dialog;
  }
  std::wstring File(const wchar_t* name) const { return folder_ + L"\\" + name; }
  Point CentreOf(int marker) const {
    const Marker& m = model_.document().markers.MarkerAt(marker);
    return {m.x + m.image.width / 2, m.y + m.image.height / 2};
  }
  bool Key(int key, int modifiers) {
    model_.Key(key, modifiers);
    return session_.PressKey(key, modifiers);
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
        SendAndWait(session_.main(), WM_NULL, 0, 0);
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
  bool ParkPointer() const { return SettlePointer(session_.CanvasToScreen({-12, CanvasHeight + 12})); }
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

  const DriverContext& context_;
  EditorSession& session_;
  ExpectedScreen& model_;
  std::wstring folder_;
  std::vector<CatalogueEntry> symbols_, cameos_;
  int round_ = 0;
  Tally tally_;
};

bool SoakRun::Prepare() {
  std::error_code ignored;
  fs::remove_all(folder_, ignored);
  fs::create_directories(folder_, ignored);
  std::string error;
  const std::string settings = ToAnsi(context_.packageDir) + "\\Settings.ini";
  const bool ok =
      ReadSymbolCatalogue(context_, symbols_, error) &&
      LoadCatalogue(settings.c_str(), kCameosListSection, CatalogueKind::Cameos, cameos_, error) && !cameos_.empty() &&
      WriteTestPicture(folder_, kShotExact, error) && WriteTestPicture(folder_, kShotLarge, error) &&
      // Every round replaces the files of the round before, the first too.
      WriteFileIn(folder_, L"soak.shp", "old", error) && WriteFileIn(folder_, L"soak_existing.shp", "old", error) &&
      WriteFileIn(folder_, L"soak.png", "old", error) && WriteFileIn(folder_, L"soak.ini", "old", error);
  if (!ok) context_.log.Fail("soak.stage", error.empty() ? "Settings.ini lists no cameos" : error);
  return ok;
}

// An "Error" box of the editor: a failure of `step`, read and closed.
bool SoakRun::ErrorBoxClosed(HWND box, const std::string& step) {
  const std::wstring text = MessageBoxText(box);
  PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  return Step(false, step, "the editor says " + Quoted(text));
}

// A save runs before the editor answers again; a failure leaves its message up.
bool SoakRun::SavedWithoutError(const std::string& step) {
  SendAndWait(session_.main(), WM_NULL, 0, 0);
  HWND box = session_.WaitForDialog(texts::kErrorCaption, 0);
  return !box || ErrorBoxClosed(box, step);
}

// Waits until `dialog` is gone; an "Error" box of the editor instead is a failure, read
// and closed.
bool SoakRun::ClosesWithoutError(HWND dialog, const std::string& step, int timeoutMs) {
  HWND box = nullptr;
  WaitUntil([&] { return !IsWindowVisible(dialog) || (box = session_.WaitForDialog(texts::kErrorCaption, 0)); },
            timeoutMs);
  if (box) return ErrorBoxClosed(box, step);
  return Step(!IsWindowVisible(dialog), step, "the dialog stays open");
}

// The save dialog of `command` for `path`, which every round replaces: Yes to the question.
bool SoakRun::ChooseSaveFile(UINT command, const std::wstring& path, const std::string& step) {
  session_.PostCommand(command);
  HWND fileDialog = WaitForFileDialog(session_.process().id());
  if (fileDialog) Shown(fileDialog);
  if (!Step(fileDialog && ChooseFileName(fileDialog, path), step, "no file dialog")) return false;
  HWND question = WaitForReplaceQuestion(session_.process().id(), fileDialog);
  if (!Step(question != nullptr, step, "no question before replacing the file")) return false;
  Press(question, IDYES);
  return Step(WaitForWindowGone(fileDialog, kDefaultWaitMs), step, "the file dialog stays open");
}

bool SoakRun::AddMarker(int line, int radio) {
  session_.PostCommand(ids::kAddItem);
  HWND dialog = Dialog(texts::kAddItemCaption);
  if (!Step(dialog && ChooseListLine(dialog, line) && ClickButton(dialog, radio), "add_item_dialog",
            "the dialog or its controls do not answer"))
    return false;
  Press(dialog, IDOK);
  if (!Step(WaitForWindowGone(dialog, kDefaultWaitMs), "add_item_dialog", "OK does not close it")) return false;
  // The list shows the catalogue in reverse file order.
  const CatalogueEntry& entry = symbols_[symbols_.size() - 1 - static_cast<std::size_t>(line)];
  std::string error;
  return Step(model_.AddSymbol(entry.fileName, ColourOfRadio(radio), error), "add_item_dialog", error);
}

// Each marker comes in at (100, 100), is dragged to a place of its own and nudged with the
// keys; then the select-item dialog and Tab move the selection, and each marker is clicked
// and deleted, by the Delete key or the menu command in turn.
bool SoakRun::Markers() {
  const int symbolCount = static_cast<int>(symbols_.size());
  for (int i = 0; i < kMarkersPerRound; ++i) {
    if (!AddMarker((round_ * kMarkersPerRound + i) % symbolCount, ids::kRadioBlue + (round_ + i) % 3)) return false;
    // A grid well away from (100, 100), shifted a little every round.
    const Point to{200 + 70 * (i % 3) + round_ % 7 * 3, 180 + 100 * (i / 3) + round_ % 5 * 4};
    // Every marker is picked up at (100, 100): two presses on one spot in quick succession
    // would make a double click, so they alternate between two points 8 pixels apart.
    const Point from{106 + i % 2 * 8, 106 + i % 2 * 8};
    std::string error = "the pointer does not stay where it was put";
    const bool dragged = SettlePointer(session_.CanvasToScreen(from)) &&
                         DragCanvas(session_, model_, from, session_.CanvasToScreen(to), error) && ParkPointer();
    if (!Step(dragged, "drag_marker", error)) return false;
    if (!Step(Key(VK_LEFT, kCtrl) && Key(VK_DOWN, kShift), "marker_keys", "the main window does not take keys"))
      return false;
    ++tally_.markers;
  }
  if (!ViewMatches("with the markers placed")) return false;

  session_.PostCommand(ids::kSelectItem);
  HWND select = Dialog(texts::kSelectItemCaption);
  const int line = round_ % kMarkersPerRound;
  if (!Step(select && ChooseListLine(select, line), "select_item_dialog", "the dialog or its list does not answer"))
    return false;
  SelectMarker(model_.document(), line);
  Press(select, IDCANCEL);
  if (!Step(WaitForWindowGone(select, kDefaultWaitMs), "select_item_dialog", "it does not close")) return false;
  if (!Step(Key(VK_TAB, kNoModifier) && Key(VK_TAB, kNoModifier), "tab", "the main window does not take Tab"))
    return false;

  for (int marker = model_.document().markers.Count() - 1; marker >= 0; --marker) {
    std::string error = "the pointer does not stay where it was put";
    const bool clicked = SettlePointer(session_.CanvasToScreen(CentreOf(marker))) &&
                         ClickCanvas(session_, model_, CentreOf(marker), error) && ParkPointer();
    if (!Step(clicked, "click_marker", error)) return false;
    bool handled = true;
    if (marker % 2 == 0) {
      handled = Key(VK_DELETE, kNoModifier);
    } else {
      handled = session_.Command(ids::kDeleteItem);
      DeleteSelectedMarker(model_.document());
    }
    if (!Step(handled, "delete_marker", "the editor does not answer")) return false;
  }
  return true;
}

bool SoakRun::MapKeys() {
  const struct {
    UINT command;
    EditMode mode;
    int key, modifiers;
  } moves[] = {{ids::kModeSmallMap, EditMode::SmallMap, VK_RIGHT, kCtrl},
               {ids::kModeLargeMap, EditMode::LargeMap, VK_DOWN, kCtrlShift},
               {ids::kModeTargetBox, EditMode::TargetBox, round_ % 2 ? VK_UP : VK_DOWN, kCtrl}};
  for (const auto& move : moves) {
    model_.SetMode(move.mode);
    if (!Step(session_.Command(move.command) && Key(move.key, move.modifiers) && Key(move.key, kNoModifier), "map_keys",
              "the main window does not answer"))
      return false;
    tally_.mapKeys += 2;
  }
  return true;
}

// The chooser takes a picture of the exact size as it is, a larger one through the crop
// question and the crop dialog.
bool SoakRun::TakeScreenshot(HWND settings, const TestPicture& picture) {
  PostMessageW(GetDlgItem(settings, ids::kScreenshotBrowse), BM_CLICK, 0, 0);
  HWND chooser = Dialog(texts::kOpenImageCaption);
  const std::wstring path = File(picture.file);
  HWND field = chooser ? GetDlgItem(chooser, ids::kFileNameField) : nullptr;
  if (!Step(field && SendAndWait(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str())), "screenshot_chooser",
            "no open dialog with a file-name field"))
    return false;
  Press(chooser, IDOK);
  if (!Step(WaitForWindowGone(chooser, kDefaultWaitMs), "screenshot_chooser", "Open does not close it")) return false;
  ++tally_.screenshots;
  if (picture.width == ScreenshotWidth && picture.height == ScreenshotHeight) {
    SetScreenshot(model_.document(), MakeTestPicture(picture.width, picture.height));
    return true;
  }
  HWND box = Dialog(texts::kProgramCaption);
  const std::wstring question = box ? MessageBoxText(box) : L"";
  if (!Step(question == texts::kCropQuestion, "crop_question", "no crop question but " + Quoted(question)))
    return false;
  Press(box, IDYES);
  HWND dialog = Dialog(texts::kCropCaption);
  if (!Step(dialog != nullptr, "crop_dialog", "it did not open")) return false;
  // Never at an end of the up-down controls' ranges, where they draw an arrow disabled.
  const int x = 1 + round_ * 37 % (picture.width - ScreenshotWidth - 1);
  const int y = 1 + round_ * 13 % (picture.height - ScreenshotHeight - 1);
  const std::wstring xText = std::to_wstring(x), yText = std::to_wstring(y);
  SendAndWait(GetDlgItem(dialog, ids::kCropX), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(xText.c_str()));
  SendAndWait(GetDlgItem(dialog, ids::kCropY), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(yText.c_str()));
  Press(dialog, IDOK);
  if (!Step(WaitForWindowGone(dialog, kDefaultWaitMs), "crop_dialog", "OK does not close it")) return false;
  MemoryImage cropped;
  CropImage(cropped, MakeTestPicture(picture.width, picture.height), x, y, ScreenshotWidth, ScreenshotHeight);
  SetScreenshot(model_.document(), std::move(cropped));
  ++tally_.crops;
  return true;
}

// Three side switches ending on a different side each round, three cameos with three
// slots, back to two slots every other round, and two screenshots.
bool SoakRun::LoadScreenSettings() {
  HWND dialog = OpenLoadScreenSettings(session_);
  if (!Step(dialog != nullptr, "load_screen_settings", "the dialog did not open")) return false;
  Shown(dialog);
  LoadScreenDocument& document = model_.document();
  for (int n = 1; n <= 3; ++n) {
    const int side = (round_ + n) % 3;
    if (!Step(ClickButton(dialog, ids::kSideAllied + side), "side_switch", "the radio button does not answer"))
      return false;
    document.SetSide(side);
    ++tally_.sideSwitches;
  }
  if (!Step(ClickButton(dialog, ids::kCameoCount3), "cameo_count", "the radio button does not answer")) return false;
  document.SetCameoCount(3);
  const int lines = static_cast<int>(cameos_.size());
  for (int slot = 0; slot < 3; ++slot) {
    const int line = (round_ * 3 + slot) % lines;
    HWND combo = GetDlgItem(dialog, ids::kCameoCombos[slot]);
    if (!Step(SendAndWait(combo, CB_SETCURSEL, static_cast<WPARAM>(line), 0) &&
                  SendAndWait(dialog, WM_COMMAND, MAKEWPARAM(ids::kCameoCombos[slot], CBN_SELCHANGE),
                              reinterpret_cast<LPARAM>(combo)),
              "cameo_choice", "the combo box does not answer"))
      return false;
    // The combo boxes list the catalogue in reverse.
    MemoryImage cameo;
    LoadImageFile(TemplatePath(document.appDir, cameos_[lines - 1 - line].fileName).c_str(), cameo);
    SetCameo(document, slot, std::move(cameo));
    ++tally_.cameos;
  }
  if (round_ % 2 == 1) {
    if (!Step(ClickButton(dialog, ids::kCameoCount2), "cameo_count", "the radio button does not answer")) return false;
    document.SetCameoCount(2);
  }
  Shown(dialog);
  if (!TakeScreenshot(dialog, kShotExact) || !TakeScreenshot(dialog, kShotLarge)) return false;
  Press(dialog, IDCANCEL);
  return Step(WaitForWindowGone(dialog, kDefaultWaitMs), "load_screen_settings", "it does not close");
}

// Levels (grey every other round) and intensity, first cancelled, then taken with OK.
bool SoakRun::Colourize() {
  for (const bool ok : {false, true}) {
    session_.PostCommand(ids::kScreenshotSettings);
    HWND dialog = Dialog(texts::kColourizeCaption);
    if (!Step(dialog != nullptr, "colourize", "the dialog did not open")) return false;
    session_.ParkDialog(dialog);
    const ColourizeSettings inForce = model_.document().screenshotColour;
    ColourizeSettings settings;
    settings.greyMode = round_ % 2;
    settings.intensity = (round_ * 97 + (ok ? 300 : 100)) % 512;
    const auto move = [&](int id, int position) {
      HWND trackbar = GetDlgItem(dialog, id);
      return SendAndWait(trackbar, TBM_SETPOS, TRUE, position) &&
             SendAndWait(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position),
                         reinterpret_cast<LPARAM>(trackbar));
    };
    bool answered = true;
    // The dialog opens with the settings in force, grey mode included.
    if (IsChecked(dialog, ids::kColourizeGrey) != (settings.greyMode != 0))
      answered = ClickButton(dialog, ids::kColourizeGrey);
    if (!settings.greyMode) {
      settings.redLevel = (round_ * 41 + 60) % 256;
      settings.greenLevel = (round_ * 67 + 120) % 256;
      settings.blueLevel = (round_ * 23 + 200) % 256;
      answered = answered && move(ids::kColourizeRed, settings.redLevel) && move(ids::kColourizeGreen, settings.greenLevel) &&
                 move(ids::kColourizeBlue, settings.blueLevel);
    }
    if (!Step(answered && move(ids::kColourizeIntensity, settings.intensity), "colourize",
              "the dialog's controls do not answer"))
      return false;
    Press(dialog, ok ? IDOK : IDCANCEL);
    if (!Step(WaitForWindowGone(dialog, kDefaultWaitMs), "colourize", "it does not close")) return false;
    if (ok)
      ColourizeScreenshot(model_.document(), settings);
    else
      ColourizeScreenshot(model_.document(), inForce);
    ++tally_.colourizes;
  }
  return true;
}

// The file dialog, dialog 107, the export.
bool SoakRun::ExportThroughDialog(const wchar_t* shp, PaletteMode mode, int colours) {
  if (!ChooseSaveFile(ids::kSaveShp, File(shp), "shp_file_dialog")) return false;
  HWND dialog = Dialog(texts::kShpSaveCaption);
  if (!Step(dialog != nullptr, "shp_export", "dialog 107 did not open")) return false;
  const std::wstring palette = File(L"soak.pal"), count = std::to_wstring(colours);
  const bool set =
      ClickButton(dialog, mode == NewPalette ? ids::kPaletteNew : ids::kPaletteExisting) &&
      SendAndWait(GetDlgItem(dialog, ids::kPaletteName), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(palette.c_str())) &&
      SendAndWait(GetDlgItem(dialog, ids::kColourCount), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(count.c_str()));
  if (!Step(set && IsWindowEnabled(GetDlgItem(dialog, IDOK)), "shp_export", "the settings are not taken")) return false;
  Press(dialog, IDOK);
  if (!ClosesWithoutError(dialog, "shp_export", kExportTimeoutMs)) return false;
  ++tally_.exports;
  return true;
}

bool SoakRun::SaveImage() {
  if (!ChooseSaveFile(ids::kSaveImage, File(L"soak.png"), "save_image")) return false;
  if (!SavedWithoutError("save_image")) return false;
  ++tally_.saves;
  return true;
}

bool SoakRun::About() {
  session_.PostCommand(ids::kAbout);
  HWND dialog = Dialog(texts::kAboutCaption);
  if (!Step(dialog != nullptr, "about", "the dialog did not open")) return false;
  Press(dialog, IDCANCEL);
  if (!Step(WaitForWindowGone(dialog, kDefaultWaitMs), "about", "Close does not close it")) return false;
  ++tally_.abouts;
  return true;
}

// The last changes of the round undone and redone through the menu: the screen is what it was.
bool SoakRun::UndoRedo() {
  constexpr int kSteps = 3;
  for (const UINT command : {ids::kUndo, ids::kRedo})
    for (int step = 0; step < kSteps; ++step)
      if (!Step(session_.Command(command), "undo_redo", "the editor does not answer")) return false;
  tally_.undos += kSteps;
  return ViewMatches("after undo and redo");
}

bool SoakRun::SaveAndReopen() {
  const std::wstring scene = File(L"soak.ini");
  if (!ChooseSaveFile(ids::kSaveSceneAs, scene, "save_scene")) return false;
  if (!SavedWithoutError("save_scene")) return false;
  session_.PostCommand(ids::kOpenScene);
  std::string error;
  if (!Step(ChooseInFileDialog(session_, texts::kOpenSceneCaption, scene, error), "open_scene", error)) return false;
  SendAndWait(session_.main(), WM_NULL, 0, 0);
  ++tally_.reopens;
  return ViewMatches("after the scene was saved and opened again");
}

bool SoakRun::Round(int round) {
  round_ = round;
  const bool done = Markers() && MapKeys() && LoadScreenSettings() && Colourize() &&
                    ExportThroughDialog(L"soak.shp", NewPalette, 256) &&
                    ExportThroughDialog(L"soak_existing.shp", ExistingPalette, 1 + round * 53 % 256) && SaveImage() &&
                    About() && Step(session_.Command(ids::kCopyToClipboard), "copy", "the editor does not answer");
  if (!done) return false;
  ++tally_.copies;
  return ViewMatches("at the end of the round") && UndoRedo() && SaveAndReopen();
}

// The clipboard holds the last round's copy and the folder its exports, all of the
// document as it stands now.
void SoakRun::FinalChecks() {
  ScreenPicture copied;
  std::string error;
  const bool read = ReadClipboardPicture(copied, error);
  const PictureDifference difference = read ? ComparePictures(copied, model_.Picture()) : PictureDifference{};
  context_.log.Expect(read && difference.count == 0, "soak.clipboard_equals_render",
                      read ? DescribeDifference(difference) : error);

  const std::wstring expected = context_.scratchDir + L"\\soak_expected";
  CreateDirectoryW(expected.c_str(), nullptr);
  ShpExportSettings fresh;
  fresh.exportPath = ToAnsi(expected + L"\\soak.shp");
  fresh.palettePath = ToAnsi(expected + L"\\soak.pal");
  ShpExportSettings existing;
  existing.exportPath = ToAnsi(expected + L"\\soak_existing.shp");
  existing.palettePath = ToAnsi(File(L"soak.pal"));
  existing.paletteMode = ExistingPalette;
  existing.colorCount = 1 + round_ * 53 % 256;
  const bool exported =
      ::ExportShp(model_.document(), fresh).success && ::ExportShp(model_.document(), existing).success;
  std::string differs;
  for (const wchar_t* name : {L"soak.shp", L"soak.pal", L"soak_existing.shp"})
    if (ReadWholeFile(File(name)) != ReadWholeFile(expected + L"\\" + name)) differs += " " + Utf8(name);
  context_.log.Expect(exported && differs.empty(), "soak.last_exports_equal_core",
                      exported ? "these differ:" + differs : "the core's exports fail");
}

void ExpectFlat(const DriverContext& context, long long before, long long after, long long tolerance,
                const std::string& tolerated, const std::string& name, const std::string& figures) {
  context.log.Expect(after - before <= tolerance, name, figures + ": up by more than " + tolerated);
}

std::string Figures(const ResourceUsage& before, const ResourceUsage& after) {
  return "GDI objects " + DescribeObjects(before.gdiObjects, before.gdiDetail) + " -> " +
         DescribeObjects(after.gdiObjects, after.gdiDetail) + "; USER objects " +
         DescribeObjects(before.userObjects, before.userDetail) + " -> " +
         DescribeObjects(after.userObjects, after.userDetail) + "; private bytes " + Megabytes(before.privateBytes) +
         " -> " + Megabytes(after.privateBytes) + "; working set " + Megabytes(before.workingSet) + " -> " +
         Megabytes(after.workingSet);
}
}  // namespace

void RunSoakChecks(const DriverContext& context) {
  EditorSession session(context);
  ExpectedScreen model;
  SoakRun run(context, session, model);
  if (!run.Prepare() || !StartScenario(context, session, model, "soak", context.packageDir)) return;
  const int rounds = RoundsAsked();
  ResourceUsage before, after;
  std::string error;
  for (int round = 0; round < kWarmUpRounds; ++round)
    if (!run.Round(round)) return;
  if (!context.log.Expect(ReadResourceUsage(session, before, error), "soak.usage_readable", error)) return;
  const ULONGLONG start = GetTickCount64();
  for (int round = kWarmUpRounds; round < kWarmUpRounds + rounds; ++round)
    if (!run.Round(round)) return;
  const ULONGLONG tenths = (GetTickCount64() - start) / 100;
  context.log.Pass("soak.view_equals_render");
  if (!context.log.Expect(ReadResourceUsage(session, after, error), "soak.usage_readable_at_end", error)) return;

  const Tally& t = run.tally();
  char line[640];
  std::snprintf(line, sizeof line,
                "soak: %d rounds after %d of warm-up in %llu.%llu s; with the warm-up %d markers added, dragged "
                "and deleted, %d map keys, %d side switches, %d cameos, %d screenshots (%d cropped), %d colourize "
                "dialogs, %d SHP exports, %d image saves, %d About boxes, %d clipboard copies, %d undone and "
                "redone steps, %d scenes saved and opened again",
                rounds, kWarmUpRounds, tenths / 10, tenths % 10, t.markers, t.mapKeys, t.sideSwitches, t.cameos,
                t.screenshots, t.crops, t.colourizes, t.exports, t.saves, t.abouts, t.copies, t.undos, t.reopens);
  context.log.Note(line);
  const std::string figures = Figures(before, after);
  context.log.Note("soak: " + figures + " (objects " + after.source + ")");
  const std::string objects = std::to_string(kObjectTolerance) + " objects";
  ExpectFlat(context, before.gdiObjects, after.gdiObjects, kObjectTolerance, objects, "soak.gdi_objects_flat", figures);
  ExpectFlat(context, before.userObjects, after.userObjects, kObjectTolerance, objects, "soak.user_objects_flat",
             figures);
  ExpectFlat(context, static_cast<long long>(before.privateBytes), static_cast<long long>(after.privateBytes),
             kPrivateBytesTolerance, Megabytes(kPrivateBytesTolerance), "soak.private_bytes_flat", figures);
  ExpectFlat(context, static_cast<long long>(before.workingSet), static_cast<long long>(after.workingSet),
             kWorkingSetTolerance, Megabytes(kWorkingSetTolerance), "soak.working_set_flat", figures);
  run.FinalChecks();
}
