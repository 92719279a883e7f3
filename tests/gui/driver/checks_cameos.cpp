// The load screen settings dialog with the cameos: the catalogue in reverse order in all
// three combo boxes, the third one enabled only with three slots, cameos and sides chosen,
// a cameo of the wrong size and a missing one refused (the slot shown empty at once, no
// stale choice when the dialog opens again), a side whose template is missing refused with
// the dialog showing the side still in force, and the double click beside the picture that
// opens the dialog.
// After each step the view equals the core's picture of the same document.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "content_commands.h"
#include "content_dialog_steps.h"
#include "editor_ids.h"
#include "image_files.h"
#include "input.h"
#include "package_staging.h"
#include "picture_compare.h"
#include "remote_controls.h"
#include "renderer.h"
#include "scenario_support.h"
#include "scenarios.h"
#include "wide_text.h"
#include "window_search.h"

namespace {

// The package variant: one cameo of 76 x 61 pixels and one missing file at the end of the
// catalogue, and no frame for Yuri with three slots.
constexpr char kExtraCameos[] = "15=Too tall,cameo_76x61.png\r\n16=Missing,no_such_cameo.png\r\n";

struct Scenario {
  const DriverContext& context;
  EditorSession& session;
  ExpectedScreen& model;
  std::vector<CatalogueEntry> catalogue;  // in file order
  HWND dialog = nullptr;

  CheckLog& log() const { return context.log; }
  bool View(const std::string& name) const { return ExpectView(context, session, model, name); }
  // The combo line of catalogue entry `index` (the lists are reversed).
  int LineOf(std::size_t index) const { return static_cast<int>(catalogue.size() - 1 - index); }
  const CatalogueEntry& EntryAtLine(int line) const { return catalogue[catalogue.size() - 1 - static_cast<std::size_t>(line)]; }
};

bool StageVariant(const DriverContext& context, std::wstring& folder, std::vector<CatalogueEntry>& catalogue) {
  folder = context.scratchDir + L"\\cameo_variant";
  std::string error;
  bool ok = CopyPackage(context.packageDir, folder, true, true, error) &&
            RemoveFileIn(folder, L"Templates\\psy_3icomain.png", error) &&
            WriteTestPicture(folder + L"\\Templates", kCameoTooTall, error);
  if (ok) {
    // Settings.ini with the two extra cameos appended to its last section, CameosList.
    const std::string path = ToAnsi(folder) + "\\Settings.ini";
    if (FILE* file = std::fopen(path.c_str(), "ab")) {
      ok = std::fputs(std::string("\r\n").append(kExtraCameos).c_str(), file) >= 0;
      ok = std::fclose(file) == 0 && ok;
    } else {
      ok = false;
    }
    if (!ok) error = "cannot extend " + path;
  }
  if (ok && (!LoadCatalogue((ToAnsi(folder) + "\\Settings.ini").c_str(), kCameosListSection, CatalogueKind::Cameos,
                            catalogue, error) ||
             catalogue.size() < 5 || catalogue.back().fileName != "no_such_cameo.png")) {
    error = "the variant's CameosList does not end with the two extra cameos";
    ok = false;
  }
  if (!ok) context.log.Fail("cameos.stage", error);
  return ok;
}

// A cameo the model loads as the editor does.
void ModelCameo(Scenario& s, int slot, int line) {
  MemoryImage cameo;
  const std::string path = TemplatePath(s.model.document().appDir, s.EntryAtLine(line).fileName);
  LoadImageFile(path.c_str(), cameo);
  SetCameo(s.model.document(), slot, std::move(cameo));
}

void ChooseCameo(Scenario& s, int slot, int line, const std::string& name) {
  PostComboChoice(s.dialog, ids::kCameoCombos[slot], line);
  ModelCameo(s, slot, line);
  s.View(name);
}

// A radio button whose change succeeds.
void Click(Scenario& s, int id) { SendAndWait(GetDlgItem(s.dialog, id), BM_CLICK, 0, 0); }

bool ThirdComboEnabled(const Scenario& s) { return IsWindowEnabled(GetDlgItem(s.dialog, ids::kCameoCombos[2])) != 0; }

void InitialState(Scenario& s) {
  std::vector<std::wstring> expected;
  for (auto it = s.catalogue.rbegin(); it != s.catalogue.rend(); ++it) expected.push_back(FromAnsi(it->displayName));
  for (int slot = 0; slot < 3; ++slot) {
    HWND combo = GetDlgItem(s.dialog, ids::kCameoCombos[slot]);
    s.log().Expect(ComboLines(combo) == expected && ComboSelection(combo) == CB_ERR,
                   "cameos.combo_" + std::to_string(slot + 1) + "_lists_catalogue_in_reverse_unselected",
                   std::to_string(ComboLines(combo).size()) + " lines, selection " +
                       std::to_string(ComboSelection(combo)));
  }
  s.log().Expect(IsChecked(s.dialog, ids::kCameoCount2) && IsChecked(s.dialog, ids::kSideAllied) &&
                     !IsChecked(s.dialog, ids::kCameoCount3),
                 "cameos.radios_show_allied_two", "the radio buttons do not show Allied with 2 cameos");
  s.log().Expect(!ThirdComboEnabled(s), "cameos.third_combo_disabled_with_two", "combo 1006 is enabled");
}

void CameosAndCount(Scenario& s) {
  ChooseCameo(s, 0, s.LineOf(13), "cameos.slot_1_power_plant");
  ChooseCameo(s, 1, s.LineOf(0), "cameos.slot_2_tank");
  Click(s, ids::kCameoCount3);
  s.model.document().SetCameoCount(3);
  s.log().Expect(ThirdComboEnabled(s), "cameos.three_enables_third_combo", "combo 1006 stays disabled");
  s.View("cameos.three_slots");
  ChooseCameo(s, 2, s.LineOf(10), "cameos.slot_3_destroyer");
  Click(s, ids::kCameoCount2);
  s.model.document().SetCameoCount(2);
  s.log().Expect(!ThirdComboEnabled(s), "cameos.two_disables_third_combo", "combo 1006 stays enabled");
  s.View("cameos.two_slots_hide_the_third");
  Click(s, ids::kCameoCount3);
  s.model.document().SetCameoCount(3);
  s.View("cameos.three_slots_show_the_third_again");
  Click(s, ids::kSideSoviet);
  s.model.document().SetSide(Soviet);
  s.View("cameos.soviet");
  ExpectStatus(s.context, s.session, 0, L"Soviet - 3", "cameos.status_soviet_3");
}

// Yuri has no frame for three slots in this package: the editor keeps the Soviet side and
// the dialog shows it so, after one message.
void RefusedSide(Scenario& s) {
  PostMessageW(GetDlgItem(s.dialog, ids::kSideYuri), BM_CLICK, 0, 0);
  std::wstring text;
  if (!AnswerMessageBox(s.session, texts::kErrorCaption, IDOK, text)) {
    s.log().Fail("cameos.yuri_refused_message", "no message box captioned \"Error\"");
    return;
  }
  s.log().Expect(text == texts::kSideTemplateMissing, "cameos.yuri_refused_message", "the message is " + Quoted(text));
  s.log().Expect(NoWindowShows(s.session, texts::kErrorCaption, 600), "cameos.yuri_refused_once",
                 "a second message followed the first");
  s.log().Expect(IsChecked(s.dialog, ids::kSideSoviet) && !IsChecked(s.dialog, ids::kSideYuri) &&
                     IsChecked(s.dialog, ids::kCameoCount3),
                 "cameos.yuri_refused_radios_show_soviet", "the radio buttons do not show Soviet with 3 cameos");
  s.View("cameos.yuri_refused_view_stays_soviet");
}

// The slot's part of the view while a message box is up (the box may cover other parts,
// and closing it repaints what it covered).
void ExpectSlotWhileBoxShows(Scenario& s, int slot, HWND box, const std::string& name) {
  const Point at{layout::kThreeCameoX[slot], layout::kCameoY};
  const POINT topLeft = s.session.CanvasToScreen(at);
  const RECT part{topLeft.x, topLeft.y, topLeft.x + CameoWidth, topLeft.y + CameoHeight};
  RECT boxRect{}, overlap{};
  GetWindowRect(box, &boxRect);
  if (IntersectRect(&overlap, &boxRect, &part)) {
    s.log().Fail(name, "the message box covers the slot");
    return;
  }
  ScreenPicture picture;
  PictureDifference difference;
  const bool same = WaitUntil(
      [&] {
        if (!CaptureScreen(part, picture)) return false;
        difference = ComparePictures(picture, s.model.Picture(), at.x, at.y);
        return difference.count == 0;
      },
      kPictureWaitMs, 20);
  s.log().Expect(same, name, DescribeDifference(difference));
}

// A refused cameo empties its slot, and the view shows the empty slot while the message is
// still up.
void RefusedCameo(Scenario& s, int slot, int line, const wchar_t* message, const std::string& name) {
  PostComboChoice(s.dialog, ids::kCameoCombos[slot], line);
  ClearCameo(s.model.document(), slot);
  HWND box = s.session.WaitForDialog(texts::kProgramCaption);
  if (!box) {
    s.log().Fail(name + "_message", "no message box captioned \"Vantorel\"");
    return;
  }
  ExpectSlotWhileBoxShows(s, slot, box, name + "_slot_shown_empty_at_once");
  const std::wstring text = MessageBoxText(box);
  s.log().Expect(text == message, name + "_message", "the message is " + Quoted(text));
  PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  WaitForWindowGone(box, kDefaultWaitMs);
  s.View(name + "_slot_empty");
  s.log().Expect(ComboSelection(GetDlgItem(s.dialog, ids::kCameoCombos[slot])) == CB_ERR, name + "_no_line_selected",
                 "line " + std::to_string(ComboSelection(GetDlgItem(s.dialog, ids::kCameoCombos[slot]))) +
                     " stays selected");
}

void CloseDialog(Scenario& s, const std::string& name) {
  PostMessageW(GetDlgItem(s.dialog, IDCANCEL), BM_CLICK, 0, 0);
  s.log().Expect(WaitForWindowGone(s.dialog, kDefaultWaitMs), name, "button 2 does not close the dialog");
}

// A double click beside the picture opens the dialog again with the choices in force.
void Reopen(Scenario& s) {
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
  for (int combo : ids::kCameoCombos) selections += std::to_string(ComboSelection(GetDlgItem(s.dialog, combo))) + " ";
  const std::string want = "-1 -1 " + std::to_string(s.LineOf(10)) + " ";
  s.log().Expect(selections == want, "cameos.reopened_with_remembered_choices",
                 "selections " + selections + "instead of " + want);
  s.log().Expect(IsChecked(s.dialog, ids::kSideSoviet) && IsChecked(s.dialog, ids::kCameoCount3) && ThirdComboEnabled(s),
                 "cameos.reopened_with_soviet_three", "the radio buttons or combo 1006 do not show Soviet with 3");
  s.View("cameos.reopening_changes_nothing");
  CloseDialog(s, "cameos.reopened_dialog_closes");
}

}  // namespace

void RunCameoChecks(const DriverContext& context) {
  EditorSession session(context);
  ExpectedScreen model;
  Scenario s{context, session, model, {}};
  std::wstring folder;
  if (!StageVariant(context, folder, s.catalogue)) return;
  if (!StartScenario(context, session, model, "cameos", folder)) return;
  s.dialog = OpenLoadScreenSettings(session);
  if (!s.dialog) {
    context.log.Fail("cameos.dialog_opens", "no dialog captioned " + Quoted(std::wstring(texts::kLoadScreenSettingsCaption)));
    return;
  }
  InitialState(s);
  CameosAndCount(s);
  RefusedSide(s);
  RefusedCameo(s, 0, s.LineOf(s.catalogue.size() - 2), texts::kCameoWrongSize, "cameos.too_tall_refused");
  RefusedCameo(s, 1, s.LineOf(s.catalogue.size() - 1), texts::kCameoMissing, "cameos.missing_refused");
  CloseDialog(s, "cameos.close_button_closes");
  Reopen(s);
}
