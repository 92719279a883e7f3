// Save as SHP with "Also put into a MIX file": the option's controls, an export packed into
// a new archive beside the SHP (bodies equal to the loose files, the 640 x 400 picture
// among them, with its name list, the status bar saying so),
// the choice remembered on reopening, and an encrypted archive refused before anything is
// written.
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "file_dialogs.h"
#include "mix_archive.h"
#include "mix_database.h"
#include "mix_name_id.h"
#include "package_staging.h"
#include "remote_controls.h"
#include "resource.h"
#include "run_language.h"
#include "scenario.h"
#include "scenario_support.h"
#include "scenarios.h"
#include "wide_text.h"
#include "window_search.h"

namespace {
namespace fs = std::filesystem;

constexpr int kExportTimeoutMs = 60000;

class MixRun : public Scenario {
 public:
  MixRun(const DriverContext& context, std::wstring folder) : Scenario(context, "mix"), folder_(std::move(folder)) {}
  void Run();

 private:
  std::wstring File(const wchar_t* name) const { return folder_ + L"\\" + name; }
  HWND Control(int id) const { return GetDlgItem(dialog_, id); }
  std::wstring Text(int id) const { return ControlText(Control(id)); }
  void SetText(int id, const std::wstring& text) const {
    SendAndWait(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  bool Checked(int id) const {
    LRESULT state = 0;
    return SendAndWait(Control(id), BM_GETCHECK, 0, 0, &state) && state == BST_CHECKED;
  }
  bool Open(const wchar_t* shp, const std::string& name) {
    session.PostCommand(IDM_SAVE_SHP);
    HWND fileDialog = WaitForFileDialog(session.process().id());
    if (!Expect(fileDialog && ChooseFileName(fileDialog, File(shp)), name + ".open", "no file dialog")) return false;
    dialog_ = session.WaitForDialog(texts::kShpSaveCaption);
    return Expect(dialog_ != nullptr, name + ".dialog", "dialog 107 did not open");
  }

  std::wstring folder_;
  HWND dialog_ = nullptr;
};

void MixRun::Run() {
  // 1. Unchecked with no name at first; the name follows the check box.
  if (!Open(L"ls800a.shp", "first")) return;
  const std::wstring caption = RunLanguage() == DriverLanguage::English ? L"Also put into a MIX file"
                                                                        : L"同时放入 MIX 文件";
  Expect(Text(IDC_MIX_PACK) == caption && !Checked(IDC_MIX_PACK) && Text(IDC_MIX_NAME).empty() &&
             !IsWindowEnabled(Control(IDC_MIX_NAME)) && !IsWindowEnabled(Control(IDC_MIX_BROWSE)),
         "opens_unchecked_without_a_name", "the caption is " + Quoted(Text(IDC_MIX_PACK)) + " or the state differs");
  ClickButton(dialog_, IDC_MIX_PACK);
  Expect(IsWindowEnabled(Control(IDC_MIX_NAME)) && IsWindowEnabled(Control(IDC_MIX_BROWSE)),
         "check_box_enables_the_name", "the name field stays disabled");
  // The browse dialog says what it is for, in the interface language.
  PostMessageW(Control(IDC_MIX_BROWSE), BM_CLICK, 0, 0);
  HWND browse = WaitForFileDialog(session.process().id());
  const std::wstring browseCaption = browse ? ControlText(browse) : L"";
  Expect(browseCaption == EditorText(::Text::MixBrowseCaption), "browse_dialog_caption",
         "the caption is " + Quoted(browseCaption));
  if (browse) PostMessageW(browse, WM_COMMAND, IDCANCEL, 0);
  WaitForWindowGone(browse, kDefaultWaitMs);

  // 2. A bare archive name lies beside the SHP; the archive holds the loose files' bytes.
  SetText(IDC_MIX_NAME, L"expandmd01.mix");
  SetText(IDC_PALETTE_NAME, File(L"ls800a.pal"));
  PostMessageW(Control(IDOK), BM_CLICK, 0, 0);
  if (!Expect(WaitForWindowGone(dialog_, kExportTimeoutMs), "export.closes_dialog", "it stays open")) return;
  const std::string archive = ReadWholeFile(File(L"expandmd01.mix"));
  const std::string shp = ReadWholeFile(File(L"ls800a.shp")), pal = ReadWholeFile(File(L"ls800a.pal"));
  MixIndex index;
  std::string error;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(archive.data());
  std::string bodies;
  const std::string ls640 = ReadWholeFile(File(L"ls800a6.shp"));
  if (ReadMixIndex(bytes, archive.size(), index, error) == MixReadStatus::kOk && index.entries.size() == 4) {
    // Sorted by signed id: the entry order is fixed by the four names.
    for (const MixEntry& entry : index.entries) {
      const std::string body = archive.substr(index.bodyStart + entry.offset, entry.size);
      if (entry.id == kMixDatabaseId) {
        std::vector<std::string> names;
        bodies += ReadMixDatabase(reinterpret_cast<const std::uint8_t*>(body.data()), body.size(), names, error) &&
                          names.size() == 4
                      ? "N"
                      : "?";
        continue;
      }
      const bool isShp = entry.id == MixNameId("LS800A.SHP"), isPal = entry.id == MixNameId("LS800A.PAL"),
                 is640 = entry.id == MixNameId("LS800A6.SHP");
      bodies += std::string(isShp   ? "S"
                            : isPal ? "P"
                            : is640 ? "6"
                                    : "?") +
                (body == (isShp   ? shp
                          : isPal ? pal
                                  : ls640)
                     ? "="
                     : "!");
    }
  }
  Expect(shp.size() == 416032 && ls640.size() == 32 + 640 * 400 && bodies == "S=6=P=N",
         "export.archive_holds_the_loose_files", "entries " + Quoted(Wide(bodies)) + " " + error);
  // After what was saved: what was packed, in the interface's language.
  const std::wstring status = session.StatusText(2);
  const std::wstring packed = EditorText(
      {{::Text::Packed, {{"members", "LS800A.SHP, LS800A.PAL, LS800A6.SHP"}, {"archive", "expandmd01.mix"}}}});
  Expect(status.rfind(EditorText({{::Text::SavedFiles, {{"first", "ls800a.shp"}, {"second", "ls800a.pal"}}}}), 0) ==
                 0 &&
             status.size() > packed.size() && status.compare(status.size() - packed.size(), packed.size(), packed) == 0,
         "export.status", "status part 2 is " + Quoted(status));

  // 3. Remembered; an encrypted archive is refused before the export writes anything.
  std::string encrypted = archive;
  encrypted[2] = 0x02;
  WriteFileIn(folder_, L"locked.mix", encrypted, error);
  if (!Open(L"ls800b.shp", "encrypted")) return;
  Expect(Checked(IDC_MIX_PACK) && Text(IDC_MIX_NAME) == L"expandmd01.mix", "reopens_with_the_choice",
         "the name is " + Quoted(Text(IDC_MIX_NAME)));
  SetText(IDC_MIX_NAME, File(L"locked.mix"));
  SetText(IDC_PALETTE_NAME, File(L"ls800b.pal"));
  PostMessageW(Control(IDOK), BM_CLICK, 0, 0);
  HWND box = session.WaitForDialog(L"Error", kDefaultWaitMs);
  const std::wstring text = box ? MessageBoxText(box) : L"";
  const std::wstring heading = EditorText({{::Text::MixError, {{"reason", ""}}}});
  Expect(text.rfind(heading, 0) == 0 && text.find(L"encrypted") != std::wstring::npos, "encrypted.refused",
         "the message is " + Quoted(text));
  if (box) PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  WaitForWindowGone(box, kDefaultWaitMs);
  PostMessageW(Control(IDCANCEL), BM_CLICK, 0, 0);
  Expect(WaitForWindowGone(dialog_, kDefaultWaitMs) && ReadWholeFile(File(L"locked.mix")) == encrypted &&
             !fs::exists(File(L"ls800b.shp")),
         "encrypted.nothing_written", "the archive changed or the SHP was written");
}
}  // namespace

void RunMixChecks(const DriverContext& context) {
  const std::wstring folder = context.scratchDir + L"\\mix";
  MakeEmptyFolder(folder);
  // The choice is the user's: start from none and leave none for the other scenarios.
  DeleteFileW(MixChoiceFile().c_str());
  {
    MixRun run(context, folder);
    if (run.Start()) run.Run();
  }
  DeleteFileW(MixChoiceFile().c_str());
}
