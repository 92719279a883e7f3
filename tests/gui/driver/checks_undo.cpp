// Undo and redo after each kind of change: the view after Undo equals the view before the
// change, after Redo the view after it. A drag and a run of arrow-key moves (any direction
// and step, Ctrl pressed alone in between) are one step each, and a command ends a run. Undo
// and Redo are grayed while there is nothing to undo or redo, a new change ends the redo,
// and Ctrl+Z and Ctrl+Y do what the menu does.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "colourize.h"
#include "content_commands.h"
#include "content_dialog_steps.h"
#include "image_files.h"
#include "input.h"
#include "remote_controls.h"
#include "resource.h"
#include "run_language.h"
#include "scenario.h"
#include "scenario_support.h"
#include "scenarios.h"
#include "wide_text.h"
#include "window_search.h"

namespace {

struct UndoScenario : Scenario {
  explicit UndoScenario(const DriverContext& context) : Scenario(context, "undo") {}
  std::vector<CatalogueEntry> symbols;

  MemoryImage Picture() {
    MemoryImage copy;
    copy.Create(CanvasWidth, CanvasHeight);
    copy.Paste(model.Picture(), 0, 0);
    return copy;
  }
  void ExpectMenu(bool canUndo, bool canRedo, const std::string& name) const {
    ExpectMenuItem(context, session, IDM_UNDO, false, !canUndo, name + "_undo_item");
    ExpectMenuItem(context, session, IDM_REDO, false, !canRedo, name + "_redo_item");
  }
  void Undo() { Command(IDM_UNDO); }
  void Redo() { Command(IDM_REDO); }
  void Key(int key, int modifiers = kNoModifier) {
    session.PressKey(key, modifiers);
    model.Key(key, modifiers);
  }

  // After a change made since `before`: one Undo shows `before`, one Redo the change again.
  void UndoRedo(const MemoryImage& before, const std::string& kind) {
    const MemoryImage after = Picture();
    Shows(after, "undo." + kind + "_made");
    Undo();
    Shows(before, "undo." + kind + "_undone");
    Redo();
    Shows(after, "undo." + kind + "_redone");
  }
};

Point CentreOf(const Marker& m) { return {m.x + m.image.width / 2, m.y + m.image.height / 2}; }

void Markers(UndoScenario& s) {
  MemoryImage before = s.Picture();
  if (!AddMarkerThroughDialog(s, s.symbols, 0, IDC_SIDE_COLOUR_RED, "undo.marker_add")) return;
  s.ExpectMenu(true, false, "undo.after_a_change");
  s.UndoRedo(before, "marker_add");

  before = s.Picture();
  std::string error;
  const Point from = CentreOf(s.model.document().markers.MarkerAt(0));
  const bool dragged = DragCanvas(s, from, s.session.CanvasToScreen({from.x + 150, from.y + 90}), error);
  if (!s.log().Expect(dragged, "undo.drag", error)) return;
  s.UndoRedo(before, "drag_is_one_step");

  // The click selects (no change); the run of keys after it is one step.
  if (!s.log().Expect(ClickCanvas(s, CentreOf(s.model.document().markers.MarkerAt(0)), error), "undo.marker_selected",
                      error))
    return;
  before = s.Picture();
  s.Key(VK_LEFT);
  s.Key(VK_LEFT, kCtrl);
  s.Key(VK_CONTROL);
  s.Key(VK_DOWN, kShift);
  s.Key(VK_RIGHT, kCtrlShift);
  s.UndoRedo(before, "marker_key_run_is_one_step");

  before = s.Picture();
  s.Key(VK_DELETE);
  s.UndoRedo(before, "marker_delete");
}

// Two runs of map keys with a mode command between them: two steps.
void MapKeys(UndoScenario& s) {
  const MemoryImage before = s.Picture();
  s.Key(VK_LEFT);
  s.Key(VK_UP, kCtrl);
  s.Key(VK_RIGHT, kShift);
  s.Command(IDM_MODE_LARGE_MAP);
  const MemoryImage between = s.Picture();
  s.Key(VK_LEFT, kCtrl);
  s.Key(VK_DOWN);
  const MemoryImage after = s.Picture();
  s.Undo();
  s.Shows(between, "undo.command_ends_a_key_run");
  s.Undo();
  s.Shows(before, "undo.map_key_run_undone");
  s.Redo();
  s.Redo();
  s.Shows(after, "undo.map_key_runs_redone");
}

// Side, count, cameo and screenshot changed in one opening of the dialog: four steps.
void Settings(UndoScenario& s) {
  std::string error;
  if (!WriteTestPicture(s.context.scratchDir + L"\\undo", kShotExact, error)) {
    s.log().Fail("undo.settings", error);
    return;
  }
  const std::wstring shot = s.context.scratchDir + L"\\undo\\" + kShotExact.file;
  HWND dialog = OpenLoadScreenSettings(s.session);
  if (!dialog) {
    s.log().Fail("undo.settings", "the load screen settings dialog did not open");
    return;
  }
  LoadScreenDocument& model = s.model.document();
  std::vector<MemoryImage> pictures{s.Picture()};
  ClickButton(dialog, IDC_SIDE_YURI);
  model.SetSide(Yuri);
  pictures.push_back(s.Picture());
  ClickButton(dialog, IDC_CAMEO_COUNT_3);
  model.SetCameoCount(3);
  pictures.push_back(s.Picture());
  PostComboChoice(dialog, (IDC_CAMEO_1 + 2), 1);
  const std::string settingsPath = ToAnsi(s.context.packageDir) + "\\Settings.ini";
  std::vector<CatalogueEntry> cameos;
  LoadCatalogue(settingsPath.c_str(), kCameosListSection, CatalogueKind::Cameos, cameos, error);
  MemoryImage cameo;
  if (cameos.size() >= 2) LoadImageFile(TemplatePath(model.appDir, cameos[cameos.size() - 2].fileName).c_str(), cameo);
  SetCameo(model, 2, std::move(cameo));
  pictures.push_back(s.Picture());
  const bool taken = BrowseForScreenshot(s.session, dialog, shot, error);
  SetScreenshot(model, LoadPicture(shot));
  pictures.push_back(s.Picture());
  PostMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
  WaitForWindowGone(dialog, kDefaultWaitMs);
  if (!s.log().Expect(taken, "undo.settings_screenshot_taken", error)) return;
  s.Shows(pictures.back(), "undo.settings_made");
  const char* const kinds[] = {"side", "cameo_count", "cameo", "screenshot"};
  for (int i = 3; i >= 0; --i) {
    s.Undo();
    s.Shows(pictures[static_cast<std::size_t>(i)], std::string("undo.") + kinds[i] + "_undone");
  }
  for (int i = 0; i < 4; ++i) s.Redo();
  s.Shows(pictures.back(), "undo.settings_redone");
}

void Colourize(UndoScenario& s) {
  const MemoryImage before = s.Picture();
  s.session.PostCommand(IDM_SCREENSHOT_SETTINGS);
  HWND dialog = s.session.WaitForDialog(texts::kColourizeCaption);
  if (!dialog) {
    s.log().Fail("undo.colourize", "the colourize dialog did not open");
    return;
  }
  s.session.ParkDialog(dialog);
  for (int id : {IDC_COLOURIZE_RED, IDC_COLOURIZE_INTENSITY}) {
    HWND trackbar = GetDlgItem(dialog, id);
    SendAndWait(trackbar, TBM_SETPOS, TRUE, 60);
    SendAndWait(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 60), reinterpret_cast<LPARAM>(trackbar));
  }
  PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  WaitForWindowGone(dialog, kDefaultWaitMs);
  LoadScreenDocument& model = s.model.document();
  s.model.history().BeginGroup(model);
  ColourizeScreenshot(model, {0, 60, 255, 255, 60});
  s.model.history().EndGroup(model);
  s.UndoRedo(before, "colourize_is_one_step");
}

// The layers, then the shortcuts, then a new change that ends the redo.
void LayersAndShortcuts(UndoScenario& s) {
  const MemoryImage before = s.Picture();
  s.Command(IDM_VIEW_BOTTOM);
  s.UndoRedo(before, "layers");
  const MemoryImage after = s.Picture();

  TypeShortcut('Z', kCtrl);
  s.model.Command(IDM_UNDO);
  s.Shows(before, "undo.ctrl_z_undoes");
  ExpectMenuItem(s.context, s.session, IDM_VIEW_BOTTOM, true, false, "undo.ctrl_z_restores_the_layer_check");
  TypeShortcut('Y', kCtrl);
  s.model.Command(IDM_REDO);
  s.Shows(after, "undo.ctrl_y_redoes");

  s.Undo();
  s.ExpectMenu(true, true, "undo.after_undo");
  s.Command(IDM_MODE_SMALL_MAP);
  s.Key(VK_RIGHT);
  s.ExpectMenu(true, false, "undo.new_change_ends_redo");
}

}  // namespace

void RunUndoChecks(const DriverContext& context) {
  UndoScenario s(context);
  std::string error;
  if (!ReadSymbolCatalogue(context, s.symbols, error)) {
    context.log.Fail("undo.start", error);
    return;
  }
  if (!s.Start()) return;
  s.ExpectMenu(false, false, "undo.at_start");
  Markers(s);
  MapKeys(s);
  Settings(s);
  Colourize(s);
  LayersAndShortcuts(s);
}
