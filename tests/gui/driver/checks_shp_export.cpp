// Save as SHP: the settings dialog (OK waits for a palette name that passes, the colour
// count is clamped, the palette mode is kept and the fields reset on reopening), exports in
// both palette modes compared byte for byte with the core's export of the driver's model,
// the progress bar and the locked controls during an export, and two failures that leave
// every file as it was and no temporary file behind.
#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "editor_ids.h"
#include "file_dialogs.h"
#include "input.h"
#include "remote_controls.h"
#include "scenario_support.h"
#include "scenarios.h"
#include "shp_export.h"
#include "wide_text.h"
#include "window_search.h"

namespace {
namespace fs = std::filesystem;

constexpr int kExportTimeoutMs = 60000;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteAll(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  out.close();
  return static_cast<bool>(out);
}

std::set<std::wstring> FilesIn(const fs::path& folder) {
  std::set<std::wstring> names;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) names.insert(entry.path().filename().wstring());
  return names;
}

std::string Listing(const std::set<std::wstring>& names) {
  std::string text;
  for (const std::wstring& name : names) text += (text.empty() ? "" : ", ") + Utf8(name);
  return text;
}

class ShpExportRun {
 public:
  ShpExportRun(const DriverContext& context, EditorSession& session, ExpectedScreen& model, fs::path folder)
      : context_(context), session_(session), model_(model), folder_(std::move(folder)) {}

  void Run();

 private:
  bool Expect(bool ok, const std::string& name, const std::string& detail) {
    return context_.log.Expect(ok, "shp." + name, detail);
  }
  // A step on the way to a check: reported only when it fails.
  bool Require(bool ok, const std::string& name, const std::string& detail) {
    if (!ok) context_.log.Fail("shp." + name, detail);
    return ok;
  }
  fs::path File(const wchar_t* name) const { return folder_ / name; }
  HWND Control(int id) const { return GetDlgItem(dialog_, id); }
  bool Enabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }
  bool Checked(int id) const {
    LRESULT state = 0;
    return SendAndWait(Control(id), BM_GETCHECK, 0, 0, &state) && state == BST_CHECKED;
  }
  std::wstring Text(int id) const { return ControlText(Control(id)); }
  bool SetText(int id, const std::wstring& text) const {
    return SendAndWait(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }

  bool Open(const fs::path& shp, bool expectReplaceQuestion, const std::string& name);
  void CheckFirstOpening();
  bool ExportAndWatch(const std::string& name);
  bool ExportFails(const std::wstring& message, const std::string& name);
  void CompareWithCore(const fs::path& shp, const fs::path& palette, PaletteMode mode, int colours,
                       const std::string& name);

  const DriverContext& context_;
  EditorSession& session_;
  ExpectedScreen& model_;
  fs::path folder_;
  HWND dialog_ = nullptr;
};

// The SHP file dialog, then dialog 107 for `shp`.
bool ShpExportRun::Open(const fs::path& shp, bool expectReplaceQuestion, const std::string& name) {
  session_.PostCommand(ids::kSaveShp);
  HWND fileDialog = WaitForFileDialog(session_.process().id());
  if (!Require(fileDialog != nullptr, name + ".file_dialog", "no file dialog after the command")) return false;
  ChooseFileName(fileDialog, shp.wstring());
  HWND question = WaitForReplaceQuestion(session_.process().id(), fileDialog, expectReplaceQuestion ? 3000 : 300);
  if (!Expect((question != nullptr) == expectReplaceQuestion, name + ".replace_question",
              expectReplaceQuestion ? "no question before replacing " + Utf8(shp.wstring())
                                    : "a question for the new file " + Utf8(shp.wstring())))
    return false;
  if (question) PostMessageW(GetDlgItem(question, IDYES), BM_CLICK, 0, 0);
  dialog_ = session_.WaitForDialog(texts::kShpSaveCaption);
  return Require(dialog_ != nullptr, name + ".settings_dialog", "dialog 107 did not open");
}

void ShpExportRun::CheckFirstOpening() {
  Expect(Checked(ids::kPaletteNew) && !Checked(ids::kPaletteExisting) && Text(ids::kColourCount) == L"256" &&
             Text(ids::kPaletteName).empty() && !IsWindowVisible(Control(ids::kExportProgress)) &&
             !IsWindowVisible(Control(ids::kPaletteNone)),
         "opens_new_palette_256_colours_no_progress", "the dialog opens in another state");
  // A new palette needs an existing folder; the file itself may be new.
  const bool atStart = Enabled(IDOK);
  SetText(ids::kPaletteName, (folder_ / L"no such folder" / L"new.pal").wstring());
  const bool missingFolder = Enabled(IDOK);
  SetText(ids::kPaletteName, File(L"new.pal").wstring());
  const bool existingFolder = Enabled(IDOK);
  Expect(!atStart && !missingFolder && existingFolder, "ok_waits_for_a_palette_name_that_passes",
         std::string("OK enabled: at start ") + (atStart ? "yes" : "no") + ", folder missing " +
             (missingFolder ? "yes" : "no") + ", folder there " + (existingFolder ? "yes" : "no"));
  SetText(ids::kColourCount, L"0");
  const std::wstring fromZero = Text(ids::kColourCount);
  SetText(ids::kColourCount, L"999");
  const std::wstring fromMany = Text(ids::kColourCount);
  Expect(fromZero == L"1" && fromMany == L"256", "colour_count_clamped_to_1_and_256",
         "0 gives " + Quoted(fromZero) + ", 999 gives " + Quoted(fromMany));
}

// Presses OK and looks at the dialog in the middle of the export. The export dispatches the
// editor's pending messages after each step; a select-item command posted behind the click
// opens its modal dialog from there, which holds the export at its first step until the
// driver closes it: a fixed point to check, however fast the export runs.
bool ShpExportRun::ExportAndWatch(const std::string& name) {
  HWND progress = Control(ids::kExportProgress);
  const ULONGLONG start = GetTickCount64();
  PostMessageW(Control(IDOK), BM_CLICK, 0, 0);
  session_.PostCommand(ids::kSelectItem);
  HWND pause = session_.WaitForDialog(texts::kSelectItemCaption, kExportTimeoutMs);
  if (Require(pause != nullptr, name + ".progress_shown_controls_disabled", "the export did not pause")) {
    std::string stillEnabled;
    for (int id : {IDOK, IDCANCEL, ids::kPaletteName, ids::kPaletteBrowse, ids::kPaletteNew, ids::kPaletteExisting,
                   ids::kPaletteNone, ids::kColourCount})
      if (Enabled(id)) stillEnabled += " " + std::to_string(id);
    const bool visible = IsWindowVisible(progress) != FALSE;
    Expect(visible && stillEnabled.empty(), name + ".progress_shown_controls_disabled",
           visible ? "enabled during the export:" + stillEnabled : "the progress bar is hidden");
    LRESULT top = 0, position = 0;
    SendAndWait(progress, PBM_GETRANGE, FALSE, 0, &top);
    SendAndWait(progress, PBM_GETPOS, 0, 0, &position);
    Expect(top == 14 && position == 1, name + ".progress_range_0_to_14",
           "the range ends at " + std::to_string(top) + ", the bar stands at " + std::to_string(position));
    PostMessageW(GetDlgItem(pause, IDCANCEL), BM_CLICK, 0, 0);
  }
  const bool closed = Expect(WaitForWindowGone(dialog_, kExportTimeoutMs), name + ".closes_dialog",
                             "the dialog is still open after the export");
  // A figure, not a check: OK to the dialog closed, the pause included.
  if (closed) context_.log.Note(name + " export took " + std::to_string(GetTickCount64() - start) + " ms");
  return closed;
}

// Presses OK and expects the failure `message` (caption "Error"); its OK closes the dialog.
bool ShpExportRun::ExportFails(const std::wstring& message, const std::string& name) {
  PostMessageW(Control(IDOK), BM_CLICK, 0, 0);
  HWND box = session_.WaitForDialog(L"Error", kExportTimeoutMs);
  if (!Require(box != nullptr, name + ".message", "no message box captioned \"Error\"")) return false;
  const std::wstring text = MessageBoxText(box);
  // A message may go on to say why; it starts with the failure's own text.
  Expect(text.rfind(message, 0) == 0, name + ".message", "the message is " + Quoted(text));
  PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  return Expect(WaitForWindowGone(dialog_, kDefaultWaitMs), name + ".closes_dialog",
                "the dialog stays open after the message");
}

void ShpExportRun::CompareWithCore(const fs::path& shp, const fs::path& palette, PaletteMode mode, int colours,
                                   const std::string& name) {
  const fs::path expected = fs::path(context_.scratchDir) / L"shp_export_expected";
  std::error_code ignored;
  fs::create_directories(expected, ignored);
  ShpExportSettings settings;
  settings.exportPath = ToAnsi((expected / shp.filename()).wstring());
  settings.paletteMode = mode;
  settings.palettePath = mode == NewPalette ? ToAnsi((expected / palette.filename()).wstring()) : ToAnsi(palette.wstring());
  settings.colorCount = colours;
  const ShpExportResult core = ExportShp(model_.document(), settings);
  if (!Require(core.success, name + ".core_export", core.message)) return;
  const std::string wrote = ReadAll(shp);
  Expect(wrote.size() == 416032 && wrote == ReadAll(settings.exportPath), name + ".shp_equals_core",
         "the editor's SHP (" + std::to_string(wrote.size()) + " bytes) differs from the core's");
  if (mode == NewPalette)
    Expect(ReadAll(palette) == ReadAll(settings.palettePath), name + ".pal_equals_core",
           "the editor's PAL differs from the core's");
}

void ShpExportRun::Run() {
  // 1. A new palette of 256 colours, after the dialog's own checks.
  if (!Open(File(L"screen.shp"), false, "new_palette")) return;
  CheckFirstOpening();
  SetText(ids::kPaletteName, File(L"screen.pal").wstring());
  if (!ExportAndWatch("new_palette")) return;
  CompareWithCore(File(L"screen.shp"), File(L"screen.pal"), NewPalette, 256, "new_palette");

  // 2. That palette as an existing one, 100 of its colours; the file dialog offers the
  // last file chosen.
  const std::string palette = ReadAll(File(L"screen.pal"));
  session_.PostCommand(ids::kSaveShp);
  HWND fileDialog = WaitForFileDialog(session_.process().id());
  const std::wstring offered = fileDialog ? FileDialogName(fileDialog) : L"";
  Expect(offered == File(L"screen.shp").wstring() || offered == L"screen.shp", "file_dialog_offers_last_file",
         "it offers " + Quoted(offered));
  if (fileDialog) PostMessageW(GetDlgItem(fileDialog, IDCANCEL), BM_CLICK, 0, 0);
  Expect(fileDialog && WaitForWindowGone(fileDialog, kDefaultWaitMs) && !session_.WaitForDialog(texts::kShpSaveCaption, 300),
         "cancelled_file_dialog_opens_nothing", "the settings dialog opened after Cancel");
  if (!Open(File(L"existing.shp"), false, "existing_palette")) return;
  ClickButton(dialog_, ids::kPaletteExisting);
  SetText(ids::kPaletteName, File(L"screen.pal").wstring());
  SetText(ids::kColourCount, L"100");
  Expect(Checked(ids::kPaletteExisting) && Text(ids::kColourCount) == L"100" && Enabled(IDOK),
         "existing_palette.settings_taken",
         "existing checked " + std::to_string(Checked(ids::kPaletteExisting)) + ", count " +
             Quoted(Text(ids::kColourCount)) + ", OK enabled " + std::to_string(Enabled(IDOK)));
  if (!ExportAndWatch("existing_palette")) return;
  CompareWithCore(File(L"existing.shp"), File(L"screen.pal"), ExistingPalette, 100, "existing_palette");
  Expect(ReadAll(File(L"screen.pal")) == palette, "existing_palette.pal_unchanged", "the palette file changed");

  // 3. The mode is kept and the fields start afresh; a palette one byte short is refused
  // and the SHP it would have replaced stays.
  const std::string shpBefore = ReadAll(File(L"existing.shp"));
  WriteAll(File(L"short.pal"), std::string(767, '\x10'));
  if (!Open(File(L"existing.shp"), true, "short_palette")) return;
  Expect(Checked(ids::kPaletteExisting) && !Checked(ids::kPaletteNew) && Text(ids::kPaletteName).empty() &&
             Text(ids::kColourCount) == L"256" && !Enabled(IDOK),
         "reopens_with_mode_kept_fields_reset", "the dialog reopens in another state");
  SetText(ids::kPaletteName, File(L"short.pal").wstring());
  if (ExportFails(L"PAL file read error!", "short_palette"))
    Expect(ReadAll(File(L"existing.shp")) == shpBefore, "short_palette.shp_unchanged", "the SHP file changed");

  // 4. An SHP target another program holds open cannot be replaced: the new palette must
  // not replace the old one either.
  WriteAll(File(L"locked.shp"), "old shp");
  WriteAll(File(L"locked.pal"), "old pal");
  HANDLE lock = CreateFileW(File(L"locked.shp").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (Open(File(L"locked.shp"), true, "locked_target")) {
    ClickButton(dialog_, ids::kPaletteNew);
    SetText(ids::kPaletteName, File(L"locked.pal").wstring());
    ExportFails(L"SHP file open error!", "locked_target");
  }
  if (lock != INVALID_HANDLE_VALUE) CloseHandle(lock);
  Expect(ReadAll(File(L"locked.shp")) == "old shp" && ReadAll(File(L"locked.pal")) == "old pal",
         "locked_target.files_unchanged", "the SHP or the PAL file changed");

  const std::set<std::wstring> left = FilesIn(folder_);
  const std::set<std::wstring> wanted = {L"screen.shp", L"screen.pal", L"existing.shp",
                                         L"short.pal",  L"locked.shp", L"locked.pal"};
  Expect(left == wanted, "no_temporary_files_left", "the folder holds " + Listing(left));
}
}  // namespace

void RunShpExportChecks(const DriverContext& context) {
  const fs::path folder = fs::path(context.scratchDir) / L"shp_export";
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  fs::create_directories(folder, ignored);
  std::vector<CatalogueEntry> catalogue;
  std::string error;
  if (!ReadSymbolCatalogue(context, catalogue, error)) {
    context.log.Fail("shp.catalogue", error);
    return;
  }
  EditorSession session(context);
  ExpectedScreen model;
  if (!StartScenario(context, session, model, "shp", context.packageDir)) return;
  // A screen with more than the start: the world map moved, a red marker.
  session.PressKey(VK_RIGHT, kCtrl);
  model.Key(VK_RIGHT, kCtrl);
  if (!AddMarkerThroughDialog(context, session, model, catalogue, 1, ids::kRadioRed, "shp.add_marker")) return;
  if (!ExpectView(context, session, model, "shp.view_before_export")) return;
  ShpExportRun(context, session, model, folder).Run();
}
