// The SHP dialog's way into the game: with "Also put into a MIX file", the scenario's map
// file and the mission file (enabled with the check box, remembered) make the export pack
// the SHP, the PAL and the 640 x 400 picture and set the map's keys in the mission file in
// place; the status bar says all that was written where, the entry-0 count included while
// the preview is on. A bad map name and a mission file that is not INI text are refused
// with the core's line after ours, before anything is written.
#include <windows.h>

#include <filesystem>
#include <string>
#include <utility>

#include "mix_archive.h"
#include "mix_name_id.h"
#include "package_staging.h"
#include "remote_controls.h"
#include "resource.h"
#include "run_language.h"
#include "scenario.h"
#include "scenario_support.h"
#include "scenarios.h"
#include "shp_export.h"
#include "wide_text.h"
#include "window_search.h"

namespace {
namespace fs = std::filesystem;

const char kMission[] =
    "; the mod's missions\r\n[ALL01UMD.MAP]\r\nBriefing=B1 ; kept\r\nLS800BkgdName=OLD.SHP\r\n\r\n[Other]\r\nX=1\r\n";
const char kMissionAfter[] =
    "; the mod's missions\r\n[ALL01UMD.MAP]\r\nBriefing=B1 ; kept\r\nLS800BkgdName=ALL01.SHP\r\n"
    "LS640BkgdName=ALL016.SHP\r\nLS800BkgdPal=ALL01.PAL\r\n\r\n[Other]\r\nX=1\r\n";

class MissionRun : public Scenario {
 public:
  MissionRun(const DriverContext& context, std::wstring folder)
      : Scenario(context, "mission"), folder_(std::move(folder)) {}
  void Run();

 private:
  std::wstring File(const wchar_t* name) const { return folder_ + L"\\" + name; }
  HWND Control(int id) const { return GetDlgItem(dialog_, id); }
  std::wstring Caption(int id) const { return ControlText(Control(id)); }
  void SetText(int id, const std::wstring& text) const {
    SendAndWait(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  bool FieldsEnabled() const {
    for (int id : {IDC_MISSION_MAP, IDC_MISSION_FILE, IDC_MISSION_BROWSE, IDC_MISSION_MAP_LABEL})
      if (!IsWindowEnabled(Control(id))) return false;
    return true;
  }
  bool Export();
  // OK refused with a message of caption "Error" starting with `first` and holding `core`;
  // the dialog stays open.
  void Refused(const TextLine& first, const std::wstring& core, const std::string& check);

  std::wstring folder_;
  HWND dialog_ = nullptr;
};

bool MissionRun::Export() {
  std::string error;
  WriteFileIn(folder_, L"missionmd.ini", kMission, error);
  if (!(dialog_ = OpenShpDialog(*this, File(L"all01.shp"), "open"))) return false;
  const bool english = RunLanguage() == DriverLanguage::English;
  Expect(Caption(IDC_MISSION_MAP_LABEL) == (english ? L"Map fi&le:" : L"地图文件:") &&
             Caption(IDC_MISSION_FILE_LABEL) == (english ? L"M&ission file:" : L"任务文件:") && !FieldsEnabled(),
         "fields_follow_the_mix_box.off",
         "the labels are " + Quoted(Caption(IDC_MISSION_MAP_LABEL)) + " and " +
             Quoted(Caption(IDC_MISSION_FILE_LABEL)) + ", or the fields are enabled");
  ClickButton(dialog_, IDC_MIX_PACK);
  Expect(FieldsEnabled(), "fields_follow_the_mix_box.on", "the fields stay disabled");
  SetText(IDC_MIX_NAME, L"expandmymod01.mix");
  SetText(IDC_MISSION_MAP, L"ALL01UMD.MAP");
  SetText(IDC_MISSION_FILE, L"missionmd.ini");
  return ExportThroughShpDialog(*this, dialog_, "export");
}

void MissionRun::Refused(const TextLine& first, const std::wstring& core, const std::string& check) {
  PostMessageW(Control(IDOK), BM_CLICK, 0, 0);
  HWND box = session.WaitForDialog(L"Error");
  const std::wstring text = box ? MessageBoxText(box) : L"";
  Expect(text.rfind(EditorText(first), 0) == 0 && text.find(core) != std::wstring::npos, check,
         "the message is " + Quoted(text));
  if (box) PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  WaitForWindowGone(box, kDefaultWaitMs);
  Expect(IsWindow(dialog_) && IsWindowEnabled(Control(IDOK)), check + ".dialog_stays",
         "the dialog closed or is locked");
}

void MissionRun::Run() {
  // With the preview on, as a modder checks the picture before shipping it.
  Command(IDM_PREVIEW_AS_EXPORTED);
  if (!Export()) return;

  // 1. The loose files, the archive holding them, the keys naming the members.
  const std::string shp = ReadWholeFile(File(L"all01.shp")), pal = ReadWholeFile(File(L"all01.pal")),
                    ls640 = ReadWholeFile(File(L"all016.shp"));
  const std::string archive = ReadWholeFile(File(L"expandmymod01.mix"));
  const std::pair<const char*, const std::string*> expected[] = {
      {"ALL01.SHP", &shp}, {"ALL01.PAL", &pal}, {"ALL016.SHP", &ls640}};
  MixIndex index;
  std::string error;
  int same = 0;
  if (ReadMixIndex(reinterpret_cast<const std::uint8_t*>(archive.data()), archive.size(), index, error) ==
      MixReadStatus::kOk)
    for (const MixEntry& entry : index.entries)
      for (const auto& [name, bytes] : expected)
        same += entry.id == MixNameId(name) && archive.compare(index.bodyStart + entry.offset, entry.size, *bytes) == 0;
  Expect(shp.size() == 416032 && ls640.size() == 32 + 640 * 400 && same == 3 && index.entries.size() == 4,
         "archive_holds_shp_pal_and_640",
         std::to_string(same) + " of 3 members equal their files, " + std::to_string(index.entries.size()) +
             " entries " + error);
  const std::string mission = ReadWholeFile(File(L"missionmd.ini"));
  Expect(mission == kMissionAfter, "mission_file_keys_set_in_place", "the file holds " + Quoted(Wide(mission)));

  // 2. What was written where, with the entry-0 count the core's export gives.
  ShpExportSettings settings;
  settings.exportPath = ToAnsi(context.scratchDir + L"\\mission_expected.shp");
  settings.palettePath = ToAnsi(context.scratchDir + L"\\mission_expected.pal");
  const ShpExportResult core = ExportShp(model.document(), settings);
  TextLine report{{Text::SavedFiles, {{"first", "all01.shp"}, {"second", "all01.pal"}}},
                  {Text::SavedColours, {{"count", "256"}}},
                  {Text::SentenceEnd}};
  if (core.index0Pixels > 0) report.push_back({Text::Index0Pixels, {{"count", std::to_string(core.index0Pixels)}}});
  report.push_back({Text::Packed, {{"members", "ALL01.SHP, ALL01.PAL, ALL016.SHP"}, {"archive", "expandmymod01.mix"}}});
  report.push_back({Text::MissionKeysSet, {{"file", "missionmd.ini"}, {"section", "ALL01UMD.MAP"}}});
  Expect(core.success && core.index0Pixels > 0, "core_counts_entry_0_pixels", "the screen puts no pixel on entry 0");
  ExpectStatus(context, session, 2, EditorText(report), "mission.status_says_what_was_written_where");

  // 3. Remembered; a bad map name and a mission file that is not INI text are refused, and
  // nothing is written.
  WriteFileIn(folder_, L"utf16.ini", std::string("\xFF\xFE[\0A\0]\0\r\0\n\0", 12), error);
  if (!(dialog_ = OpenShpDialog(*this, File(L"all01b.shp"), "reopen"))) return;
  Expect(Caption(IDC_MISSION_MAP) == L"ALL01UMD.MAP" && Caption(IDC_MISSION_FILE) == L"missionmd.ini" &&
             FieldsEnabled(),
         "reopens_with_the_choice",
         "the fields hold " + Quoted(Caption(IDC_MISSION_MAP)) + " and " + Quoted(Caption(IDC_MISSION_FILE)));
  SetText(IDC_MISSION_MAP, L"SOV01");
  Refused({{Text::MapNameError, {{"reason", ""}}}}, L"such as ALL01UMD.MAP", "bad_map_name.refused");
  SetText(IDC_MISSION_MAP, L"ALL01UMD.MAP");
  SetText(IDC_MISSION_FILE, L"utf16.ini");
  Refused({{Text::MissionFileError, {{"reason", ""}}}}, L"UTF-16", "utf16_mission_file.refused");
  ClickButton(dialog_, IDCANCEL);
  WaitForWindowGone(dialog_, kDefaultWaitMs);
  Expect(!fs::exists(File(L"all01b.shp")) && !fs::exists(File(L"all01b6.shp")) &&
             ReadWholeFile(File(L"expandmymod01.mix")) == archive && ReadWholeFile(File(L"missionmd.ini")) == mission &&
             ReadWholeFile(File(L"utf16.ini")).size() == 12,
         "refusals_write_nothing", "a file was written or changed");
}

}  // namespace

void RunMissionChecks(const DriverContext& context) {
  const std::wstring folder = context.scratchDir + L"\\mission";
  MakeEmptyFolder(folder);
  // The choice is the user's: start from none and leave none for the other scenarios.
  DeleteFileW(MixChoiceFile().c_str());
  {
    MissionRun run(context, folder);
    if (run.Start()) run.Run();
  }
  DeleteFileW(MixChoiceFile().c_str());
}
