#include "soak_run.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "clipboard_reader.h"
#include "colourize.h"
#include "content_commands.h"
#include "content_dialog_steps.h"
#include "crop_image.h"
#include "file_dialogs.h"
#include "image_files.h"
#include "input.h"
#include "marker_commands.h"
#include "package_staging.h"
#include "picture_compare.h"
#include "remote_controls.h"
#include "resource.h"
#include "resource_usage.h"
#include "run_language.h"
#include "scenario_support.h"
#include "shp_export.h"
#include "wide_text.h"
#include "window_search.h"

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

bool SoakRun::Prepare() {
  MakeEmptyFolder(folder_);
  std::string error;
  const std::string settings = ToAnsi(context.packageDir) + "\\Settings.ini";
  const bool ok =
      ReadSymbolCatalogue(context, symbols_, error) &&
      LoadCatalogue(settings.c_str(), kCameosListSection, CatalogueKind::Cameos, cameos_, error) && !cameos_.empty() &&
      WriteTestPicture(folder_, kShotExact, error) && WriteTestPicture(folder_, kShotLarge, error) &&
      // Every round replaces the files of the round before, the first too.
      WriteFileIn(folder_, L"soak.shp", "old", error) && WriteFileIn(folder_, L"soak_existing.shp", "old", error) &&
      WriteFileIn(folder_, L"soak.png", "old", error) && WriteFileIn(folder_, L"soak.ini", "old", error);
  if (!ok) context.log.Fail("soak.stage", error.empty() ? "Settings.ini lists no cameos" : error);
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
  SendAndWait(session.main(), WM_NULL, 0, 0);
  HWND box = session.WaitForDialog(EditorText(Text::ErrorCaption), 0);
  return !box || ErrorBoxClosed(box, step);
}

// Waits until `dialog` is gone; an "Error" box of the editor instead is a failure, read
// and closed.
bool SoakRun::ClosesWithoutError(HWND dialog, const std::string& step, int timeoutMs) {
  HWND box = nullptr;
  WaitUntil(
      [&] { return !IsWindowVisible(dialog) || (box = session.WaitForDialog(EditorText(Text::ErrorCaption), 0)); },
      timeoutMs);
  if (box) return ErrorBoxClosed(box, step);
  return Step(!IsWindowVisible(dialog), step, "the dialog stays open");
}

// The save dialog of `command` for `path`, which every round replaces: Yes to the question.
bool SoakRun::ChooseSaveFile(UINT command, const std::wstring& path, const std::string& step) {
  session.PostCommand(command);
  HWND fileDialog = WaitForFileDialog(session.process().id());
  if (fileDialog) Shown(fileDialog);
  if (!Step(fileDialog && ChooseFileName(fileDialog, path), step, "no file dialog")) return false;
  HWND question = WaitForReplaceQuestion(session.process().id(), fileDialog);
  if (!Step(question != nullptr, step, "no question before replacing the file")) return false;
  Press(question, IDYES);
  return Step(WaitForWindowGone(fileDialog, kDefaultWaitMs), step, "the file dialog stays open");
}

// The last changes of the round undone and redone through the menu: the screen is what it was.
bool SoakRun::UndoRedo() {
  constexpr int kSteps = 3;
  for (const UINT command : {IDM_UNDO, IDM_REDO})
    for (int step = 0; step < kSteps; ++step)
      if (!Step(session.Command(command), "undo_redo", "the editor does not answer")) return false;
  tally_.undos += kSteps;
  return ViewMatches("after undo and redo");
}

bool SoakRun::SaveAndReopen() {
  const std::wstring scene = File(L"soak.ini");
  if (!ChooseSaveFile(IDM_SAVE_SCENE_AS, scene, "save_scene")) return false;
  if (!SavedWithoutError("save_scene")) return false;
  session.PostCommand(IDM_OPEN_SCENE);
  std::string error;
  if (!Step(ChooseInFileDialog(session, EditorText(Text::OpenSceneCaption), scene, error), "open_scene", error))
    return false;
  SendAndWait(session.main(), WM_NULL, 0, 0);
  ++tally_.reopens;
  return ViewMatches("after the scene was saved and opened again");
}

bool SoakRun::Copy() {
  if (!Step(session.Command(IDM_COPY_TO_CLIPBOARD), "copy", "the editor does not answer")) return false;
  ++tally_.copies;
  return true;
}

bool SoakRun::Round(int round) {
  round_ = round;
  static constexpr bool (SoakRun::*kSteps[])() = {&SoakRun::Markers,
                                                  &SoakRun::MapKeys,
                                                  &SoakRun::LoadScreenSettings,
                                                  &SoakRun::Colourize,
                                                  &SoakRun::ExportNewPalette,
                                                  &SoakRun::ExportExistingPalette,
                                                  &SoakRun::SaveImage,
                                                  &SoakRun::About,
                                                  &SoakRun::Copy,
                                                  &SoakRun::ViewAtEndOfRound,
                                                  &SoakRun::UndoRedo,
                                                  &SoakRun::SaveAndReopen};
  for (const auto step : kSteps)
    if (!(this->*step)()) return false;
  return true;
}

// The clipboard holds the last round's copy and the folder its exports, all of the
// document as it stands now.
void SoakRun::FinalChecks() {
  ScreenPicture copied;
  std::string error;
  const bool read = ReadClipboardPicture(copied, error);
  const PictureDifference difference = read ? ComparePictures(copied, model.Picture()) : PictureDifference{};
  context.log.Expect(read && difference.count == 0, "soak.clipboard_equals_render",
                     read ? DescribeDifference(difference) : error);

  const std::wstring expected = context.scratchDir + L"\\soak_expected";
  CreateDirectoryW(expected.c_str(), nullptr);
  ShpExportSettings fresh;
  fresh.exportPath = ToAnsi(expected + L"\\soak.shp");
  fresh.palettePath = ToAnsi(expected + L"\\soak.pal");
  ShpExportSettings existing;
  existing.exportPath = ToAnsi(expected + L"\\soak_existing.shp");
  existing.palettePath = ToAnsi(File(L"soak.pal"));
  existing.paletteMode = ExistingPalette;
  existing.colourCount = 1 + round_ * 53 % 256;
  const bool exported = ::ExportShp(model.document(), fresh).success && ::ExportShp(model.document(), existing).success;
  std::string differs;
  for (const wchar_t* name : {L"soak.shp", L"soak.pal", L"soak_existing.shp"})
    if (ReadWholeFile(File(name)) != ReadWholeFile(expected + L"\\" + name)) differs += " " + Utf8(name);
  context.log.Expect(exported && differs.empty(), "soak.last_exports_equal_core",
                     exported ? "these differ:" + differs : "the core's exports fail");
}
