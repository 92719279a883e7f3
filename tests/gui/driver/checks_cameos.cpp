// The load screen settings dialog with the cameos: the catalogue in reverse order in all
// three combo boxes, the third one enabled only with three slots, cameos, counts and sides
// chosen, a cameo of the wrong size, a missing one and one that is no picture refused (the
// last with the loader's reason and the file; the slot shown empty at
// once, no stale choice when the dialog opens again), a side whose frame is missing refused
// with the dialog showing the side still in force, and the double click beside the picture
// that opens the dialog. After each step the view equals the core's picture.
#include <windows.h>

#include <string>
#include <vector>

#include "content_commands.h"
#include "content_dialog_steps.h"
#include "image_files.h"
#include "input.h"
#include "package_staging.h"
#include "remote_controls.h"
#include "renderer.h"
#include "resource.h"
#include "run_language.h"
#include "scenario.h"
#include "scenario_support.h"
#include "scenarios.h"
#include "wide_text.h"
#include "window_search.h"

namespace {

// The variant package's catalogue: a cameo of 76 x 61 pixels, a missing one and a text file
// named .png at its end. The combo boxes list it in reverse, so line 0 is "Unreadable".
// Yuri has no three-slot frame.
const CatalogueEntry kCameos[] = {
    {"Tank", "cameo_tank.png"},      {"Destroyer", "cameo_ship.png"},  {"Power plant", "cameo_powerplant.png"},
    {"Too tall", "cameo_76x61.png"}, {"Missing", "no_such_cameo.png"}, {"Unreadable", "cameo_notes.png"}};
constexpr int kLines = 6;
constexpr int kUnreadableLine = 0, kMissingLine = 1, kTooTallLine = 2, kPowerPlantLine = 3, kDestroyerLine = 4,
              kTankLine = 5;

struct CameoScenario : Scenario {
  explicit CameoScenario(const DriverContext& context) : Scenario(context, "cameos") {}
  HWND dialog = nullptr;

  HWND Combo(int slot) const { return GetDlgItem(dialog, (IDC_CAMEO_1 + slot)); }
  bool ThirdComboEnabled() const { return IsWindowEnabled(Combo(2)) != 0; }
  // A radio button whose change succeeds, handled before this returns.
  void Click(int id) const { SendAndWait(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
};

bool StageVariant(const DriverContext& context, const std::wstring& folder) {
  std::string settings = "[SymbolsList]\r\n1=Star,sym_star.png\r\n[CameosList]\r\n";
  for (int i = 0; i < kLines; ++i)
    settings += std::to_string(i + 1) + "=" + kCameos[i].displayName + "," + kCameos[i].fileName + "\r\n";
  std::string error;
  const bool ok = CopyPackage(context.packageDir, folder, true, false, error) &&
                  WriteFileIn(folder, L"Settings.ini", settings, error) &&
                  RemoveFileIn(folder, L"Templates\\psy_3icomain.png", error) &&
                  WriteFileIn(folder, L"Templates\\cameo_notes.png", "Tank, row 3\r\n", error) &&
                  WriteTestPicture(folder + L"\\Templates", kCameoTooTall, error);
  if (!ok) context.log.Fail("cameos.stage", error);
  return ok;
}

void ChooseCameo(CameoScenario& s, int slot, int line, const std::string& name) {
  PostComboChoice(s.dialog, (IDC_CAMEO_1 + slot), line);
  MemoryImage cameo;
  LoadImageFile(TemplatePath(s.model.document().appDir, kCameos[kLines - 1 - line].fileName).c_str(), cameo);
  SetCameo(s.model.document(), slot, std::move(cameo));
  s.View(name);
}

void InitialState(CameoScenario& s) {
  std::vector<std::wstring> reversed;
  for (int i = kLines - 1; i >= 0; --i) reversed.push_back(FromAnsi(kCameos[i].displayName));
  for (int slot = 0; slot < 3; ++slot)
    s.log().Expect(ComboLines(s.Combo(slot)) == reversed && ComboSelection(s.Combo(slot)) == CB_ERR,
                   "cameos.combo_" + std::to_string(slot + 1) + "_lists_catalogue_in_reverse_unselected",
                   std::to_string(ComboLines(s.Combo(slot)).size()) + " lines, selection " +
                       std::to_string(ComboSelection(s.Combo(slot))));
  s.log().Expect(IsChecked(s.dialog, IDC_CAMEO_COUNT_2) && IsChecked(s.dialog, IDC_SIDE_ALLIED) &&
                     !s.ThirdComboEnabled(),
                 "cameos.opens_allied_two_third_combo_disabled", "the radio buttons or combo 1006 are wrong");
}

void CameosCountAndSide(CameoScenario& s) {
  LoadScreenDocument& model = s.model.document();
  ChooseCameo(s, 0, kPowerPlantLine, "cameos.slot_1_power_plant");
  ChooseCameo(s, 1, kTankLine, "cameos.slot_2_tank");
  s.Click(IDC_CAMEO_COUNT_3);
  model.SetCameoCount(3);
  s.log().Expect(s.ThirdComboEnabled(), "cameos.three_enables_third_combo", "combo 1006 stays disabled");
  ChooseCameo(s, 2, kDestroyerLine, "cameos.slot_3_destroyer");
  s.Click(IDC_CAMEO_COUNT_2);
  model.SetCameoCount(2);
  s.log().Expect(!s.ThirdComboEnabled(), "cameos.two_disables_third_combo", "combo 1006 stays enabled");
  s.View("cameos.two_slots_hide_the_third");
  s.Click(IDC_CAMEO_COUNT_3);
  model.SetCameoCount(3);
  s.View("cameos.three_slots_show_the_third_again");
  s.Click(IDC_SIDE_SOVIET);
  model.SetSide(Soviet);
  s.View("cameos.soviet");
  ExpectStatus(s.context, s.session, 0, L"Soviet - 3", "cameos.status_soviet_3");
}

// Yuri has no frame for three slots here: the editor keeps Soviet, says so once, and the
// dialog shows Soviet again.
void RefusedSide(CameoScenario& s) {
  PostMessageW(GetDlgItem(s.dialog, IDC_SIDE_YURI), BM_CLICK, 0, 0);
  std::wstring text;
  const bool answered = AnswerMessageBox(s.session, EditorText(Text::ErrorCaption), IDOK, text);
  s.log().Expect(answered && text == EditorText(Text::MissingSideTemplate), "cameos.yuri_refused_message",
                 answered ? "the message is " + Quoted(text) : "no message box captioned \"Error\"");
  s.log().Expect(NoWindowShows(s.session, EditorText(Text::ErrorCaption), 600), "cameos.yuri_refused_once",
                 "a second message followed the first");
  s.log().Expect(IsChecked(s.dialog, IDC_SIDE_SOVIET) && !IsChecked(s.dialog, IDC_SIDE_YURI),
                 "cameos.yuri_refused_radios_show_soviet", "the radio buttons do not show Soviet");
  s.View("cameos.yuri_refused_view_stays_soviet");
}

// A refused cameo empties its slot; the slot shows empty while the message is still up
// (checked there only: the box may cover other parts, and closing it repaints them).
void RefusedCameo(CameoScenario& s, int slot, int line, const std::wstring& message, const std::string& name) {
  PostComboChoice(s.dialog, (IDC_CAMEO_1 + slot), line);
  ClearCameo(s.model.document(), slot);
  HWND box = s.session.WaitForDialog(EditorText(Text::ProgramCaption));
  if (!box) {
    s.log().Fail(name + "_message", "no message box captioned \"Vantorel\"");
    return;
  }
  const Point at{layout::kThreeCameoX[slot], layout::kCameoY};
  const POINT corner = s.session.CanvasToScreen(at);
  const RECT part{corner.x, corner.y, corner.x + CameoWidth, corner.y + CameoHeight};
  RECT boxRect{}, overlap{};
  GetWindowRect(box, &boxRect);
  std::string detail = "the message box covers the slot";
  s.log().Expect(!IntersectRect(&overlap, &boxRect, &part) && ScreenShows(part, s.model.Picture(), at.x, at.y, detail),
                 name + "_slot_shown_empty_at_once", detail);
  const std::wstring text = MessageBoxText(box);
  s.log().Expect(text == message, name + "_message", "the message is " + Quoted(text));
  PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  WaitForWindowGone(box, kDefaultWaitMs);
  s.View(name + "_slot_empty");
  s.log().Expect(ComboSelection(s.Combo(slot)) == CB_ERR, name + "_no_line_selected",
                 "line " + std::to_string(ComboSelection(s.Combo(slot))) + " stays selected");
}

// A file that is there but no picture: the loader's reason, naming the file.
std::wstring UnreadableMessage(CameoScenario& s) {
  const std::string path = TemplatePath(s.model.document().appDir, kCameos[kLines - 1 - kUnreadableLine].fileName);
  MemoryImage ignored;
  std::string reason;
  LoadImageFile(path.c_str(), ignored, reason);
  return EditorText(
      {{Text::PictureUnreadable}, {Text::FileLine, {{"file", path}}}, {Text::ReasonAfterFile, {{"reason", reason}}}});
}

void CloseDialog(CameoScenario& s, const std::string& name) {
  PostMessageW(GetDlgItem(s.dialog, IDCANCEL), BM_CLICK, 0, 0);
  s.log().Expect(WaitForWindowGone(s.dialog, kDefaultWaitMs), name, "button 2 does not close the dialog");
}

// A double click beside the picture opens the dialog again with the choices in force.
void Reopen(CameoScenario& s) {
  MoveMouseTo(s.session.CanvasToScreen({-10, 100}));
  for (int click = 0; click < 2; ++click) {
    PressMouseButton();
    ReleaseMouseButton();
  }
  s.dialog = s.session.WaitForDialog(texts::kLoadScreenSettingsCaption);
  if (!s.dialog) {
    s.log().Fail("cameos.double_click_opens_dialog", "no dialog after a double click beside the picture");
    return;
  }
  s.session.ParkDialog(s.dialog);
  std::string selections;
  for (int slot = 0; slot < 3; ++slot) selections += std::to_string(ComboSelection(s.Combo(slot))) + " ";
  const std::string want = "-1 -1 " + std::to_string(kDestroyerLine) + " ";
  s.log().Expect(selections == want, "cameos.reopened_with_remembered_choices",
                 "selections " + selections + "instead of " + want);
  s.log().Expect(IsChecked(s.dialog, IDC_SIDE_SOVIET) && IsChecked(s.dialog, IDC_CAMEO_COUNT_3) &&
                     s.ThirdComboEnabled(),
                 "cameos.reopened_with_soviet_three", "the radio buttons or combo 1006 do not show Soviet with 3");
  s.View("cameos.reopening_changes_nothing");
  CloseDialog(s, "cameos.reopened_dialog_closes");
}

}  // namespace

void RunCameoChecks(const DriverContext& context) {
  CameoScenario s(context);
  const std::wstring folder = context.scratchDir + L"\\cameo_variant";
  if (!StageVariant(context, folder) || !s.Start(folder)) return;
  s.dialog = OpenLoadScreenSettings(s.session);
  if (!s.dialog) {
    context.log.Fail("cameos.dialog_opens", "the load screen settings dialog did not open");
    return;
  }
  InitialState(s);
  CameosCountAndSide(s);
  RefusedSide(s);
  RefusedCameo(s, 0, kUnreadableLine, UnreadableMessage(s), "cameos.unreadable_refused");
  RefusedCameo(s, 0, kTooTallLine, EditorText(Text::CameoWrongSize), "cameos.too_tall_refused");
  RefusedCameo(s, 1, kMissingLine, EditorText(Text::CameoMissing), "cameos.missing_refused");
  CloseDialog(s, "cameos.close_button_closes");
  Reopen(s);
}
