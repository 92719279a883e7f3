// Save as SHP: the settings dialog (a new palette's name proposed from the SHP's, OK waits
// for a palette name that passes, the colour count is clamped but may be emptied while
// typing, the palette mode and the entry-0 choice are kept and the fields reset on
// reopening), exports in
// both palette modes compared byte for byte with the core's export of the driver's model
// (octree by default, dithered onto an existing palette, the best quantizer with entry 0
// left unused),
// the progress bar and the locked controls during an export, and two failures that leave
// every file as it was and no temporary file behind.
#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "file_dialogs.h"
#include "input.h"
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

constexpr int kExportTimeoutMs = 60000;

// The export run as named steps, each on the dialog the step before left: a step returns
// false when the steps after it cannot go on.
class ShpExportRun : public Scenario {
 public:
  explicit ShpExportRun(const DriverContext& context)
      : Scenario(context, "shp"), folder_(context.scratchDir + L"\\shp_export") {}
  void Run();

 private:
  // A screen with more than the start: the world map moved, a red marker.
  bool Prepare();
  bool OpensWithDefaults();
  bool PaletteNameChecked();
  bool ColourCountClamped();
  bool ExportNewPalette();
  bool FileDialogOffersLastFile();
  bool ExportOntoExistingPalette();
  bool ShortPaletteRefused();
  bool BestQuantizer();
  bool LockedTargetRefused();
  bool NoTemporaryFilesLeft();

  std::wstring File(const wchar_t* name) const { return folder_ + L"\\" + name; }
  std::string Read(const wchar_t* name) const { return ReadWholeFile(File(name)); }
  void Write(const wchar_t* name, const std::string& bytes) const {
    std::string ignored;
    WriteFileIn(folder_, name, bytes, ignored);
  }
  HWND Control(int id) const { return GetDlgItem(dialog_, id); }
  bool Enabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }
  bool Checked(int id) const {
    LRESULT state = 0;
    return SendAndWait(Control(id), BM_GETCHECK, 0, 0, &state) && state == BST_CHECKED;
  }
  std::wstring Text(int id) const { return ControlText(Control(id)); }
  void SetText(int id, const std::wstring& text) const {
    SendAndWait(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }

  bool Open(const wchar_t* shp, bool replaces, const std::string& name);
  bool ExportAndWatch(const std::string& name);
  void ExportFails(const std::wstring& message, const std::string& name);
  void CompareWithCore(const wchar_t* shp, const wchar_t* palette, PaletteMode mode, int colours,
                       const std::string& name, Quantizer quantizer = Quantizer::Octree, bool dither = false,
                       bool keepIndex0 = false);
  int QuantizerShown() const {
    LRESULT selected = -1;
    SendAndWait(Control(IDC_QUANTIZER), CB_GETCURSEL, 0, 0, &selected);
    return static_cast<int>(selected);
  }

  std::wstring folder_;
  HWND dialog_ = nullptr;
};

// The SHP file dialog for `shp` (answering Yes when it asks to replace the file), then
// dialog 107.
bool ShpExportRun::Open(const wchar_t* shp, bool replaces, const std::string& name) {
  session.PostCommand(IDM_SAVE_SHP);
  HWND fileDialog = WaitForFileDialog(session.process().id());
  if (!Expect(fileDialog && ChooseFileName(fileDialog, File(shp)), name + ".open", "no file dialog")) return false;
  HWND question = WaitForReplaceQuestion(session.process().id(), fileDialog, replaces ? 3000 : 300);
  if (!Expect((question != nullptr) == replaces, name + ".replace_question",
              replaces ? "no question before replacing the file" : "a question for a new file"))
    return false;
  if (question) PostMessageW(GetDlgItem(question, IDYES), BM_CLICK, 0, 0);
  dialog_ = session.WaitForDialog(texts::kShpSaveCaption);
  return Expect(dialog_ != nullptr, name + ".open", "dialog 107 did not open");
}

// Presses OK and looks at the dialog in the middle of the export. The export dispatches the
// editor's pending messages after each step; a select-item command queued right behind the
// click (both posted while the editor's thread is held) opens its modal dialog from the
// first step, which holds the export there until the driver closes it: a fixed point to
// check, however fast the export runs.
bool ShpExportRun::ExportAndWatch(const std::string& name) {
  const ULONGLONG start = GetTickCount64();
  const bool held = SuspendThread(session.process().thread()) != static_cast<DWORD>(-1);
  PostMessageW(Control(IDOK), BM_CLICK, 0, 0);
  session.PostCommand(IDM_SELECT_ITEM);
  if (held) ResumeThread(session.process().thread());
  HWND pause = session.WaitForDialog(texts::kSelectItemCaption, kExportTimeoutMs);
  std::string enabled = pause ? "" : " (the export did not pause)";
  for (int id : {IDOK, IDCANCEL, IDC_PALETTE_NAME, IDC_PALETTE_BROWSE, IDC_PALETTE_NEW, IDC_PALETTE_EXISTING,
                 IDC_PALETTE_NONE, IDC_COLOUR_COUNT, IDC_QUANTIZER, IDC_DITHER})
    if (pause && Enabled(id)) enabled += " " + std::to_string(id);
  HWND progress = Control(IDC_EXPORT_PROGRESS);
  Expect(pause && IsWindowVisible(progress) && enabled.empty(), name + ".progress_shown_controls_disabled",
         "progress bar visible " + std::to_string(IsWindowVisible(progress)) + ", enabled:" + enabled);
  LRESULT top = 0, position = 0;
  SendAndWait(progress, PBM_GETRANGE, FALSE, 0, &top);
  SendAndWait(progress, PBM_GETPOS, 0, 0, &position);
  Expect(top == 14 && position == 1, name + ".progress_range_0_to_14",
         "range up to " + std::to_string(top) + ", at " + std::to_string(position) + " after the first step");
  if (pause) PostMessageW(GetDlgItem(pause, IDCANCEL), BM_CLICK, 0, 0);
  const bool closed = Expect(WaitForWindowGone(dialog_, kExportTimeoutMs), name + ".closes_dialog", "it stays open");
  // A figure, not a check: OK to the dialog closed, the pause included.
  if (closed) context.log.Note(name + " export took " + std::to_string(GetTickCount64() - start) + " ms");
  return closed;
}

// Presses OK and expects the failure `message` (caption "Error"); its OK closes the dialog.
void ShpExportRun::ExportFails(const std::wstring& message, const std::string& name) {
  PostMessageW(Control(IDOK), BM_CLICK, 0, 0);
  HWND box = session.WaitForDialog(L"Error", kExportTimeoutMs);
  const std::wstring text = box ? MessageBoxText(box) : L"";
  // A message may go on to say why; it starts with the failure's own text.
  Expect(box && text.rfind(message, 0) == 0, name + ".message", "the message is " + Quoted(text));
  if (box) PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  Expect(WaitForWindowGone(dialog_, kDefaultWaitMs), name + ".closes_dialog", "it stays open after the message");
}

void ShpExportRun::CompareWithCore(const wchar_t* shp, const wchar_t* palette, PaletteMode mode, int colours,
                                   const std::string& name, Quantizer quantizer, bool dither, bool keepIndex0) {
  const std::wstring expected = context.scratchDir + L"\\shp_export_expected";
  CreateDirectoryW(expected.c_str(), nullptr);
  ShpExportSettings settings;
  settings.exportPath = ToAnsi(expected + L"\\" + shp);
  settings.paletteMode = mode;
  settings.palettePath = ToAnsi(mode == NewPalette ? expected + L"\\" + palette : File(palette));
  settings.colourCount = colours;
  settings.quantizer = quantizer;
  settings.dither = dither;
  settings.keepIndex0 = keepIndex0;
  const ShpExportResult core = ExportShp(model.document(), settings);
  const std::string wrote = Read(shp);
  Expect(core.success && wrote.size() == 416032 && wrote == ReadWholeFile(Wide(settings.exportPath)),
         name + ".shp_equals_core", core.success ? "the SHP files differ" : "the core failed: " + core.message);
  if (mode == NewPalette)
    Expect(Read(palette) == ReadWholeFile(Wide(settings.palettePath)), name + ".pal_equals_core",
           "the PAL files differ");
  // Pixels the games would show transparent are counted in the status bar.
  // The saved message ends with that note, in the interface's language; the count is the same.
  if (const std::string note = Index0Note(core); !note.empty()) {
    const std::wstring status = session.StatusText(2);
    const std::wstring count = std::to_wstring(core.index0Pixels);
    Expect(status.find(L" " + count + L" ") != std::wstring::npos, name + ".status_counts_entry_0_pixels",
           "the status bar does not give the count of entry-0 pixels");
  }
}

bool ShpExportRun::Prepare() {
  MakeEmptyFolder(folder_);
  std::vector<CatalogueEntry> catalogue;
  std::string error;
  if (!ReadSymbolCatalogue(context, catalogue, error)) {
    log().Fail("shp.catalogue", error);
    return false;
  }
  if (!Start()) return false;
  session.PressKey(VK_RIGHT, kCtrl);
  model.Key(VK_RIGHT, kCtrl);
  return AddMarkerThroughDialog(*this, catalogue, 1, IDC_SIDE_COLOUR_RED, "shp.add_marker") &&
         View("shp.view_before_export");
}

// A new palette of 256 colours named after the SHP, the octree quantizer, no dithering, no
// progress bar yet.
bool ShpExportRun::OpensWithDefaults() {
  if (!Open(L"screen.shp", false, "new_palette")) return false;
  Expect(Checked(IDC_PALETTE_NEW) && !Checked(IDC_PALETTE_EXISTING) && Text(IDC_COLOUR_COUNT) == L"256" &&
             Text(IDC_PALETTE_NAME) == L"screen.pal" && !IsWindowVisible(Control(IDC_EXPORT_PROGRESS)) &&
             !IsWindowVisible(Control(IDC_PALETTE_NONE)) && QuantizerShown() == 0 && Enabled(IDC_QUANTIZER) &&
             !Checked(IDC_DITHER),
         "opens_new_palette_256_colours_octree_undithered_no_progress", "the dialog opens in another state");
  return true;
}

// A new palette needs a name and an existing folder; the file itself may be new.
bool ShpExportRun::PaletteNameChecked() {
  SetText(IDC_PALETTE_NAME, L"");
  std::string okStates = Enabled(IDOK) ? "1" : "0";
  SetText(IDC_PALETTE_NAME, File(L"no such folder\\new.pal"));
  okStates += Enabled(IDOK) ? "1" : "0";
  SetText(IDC_PALETTE_NAME, File(L"new.pal"));
  okStates += Enabled(IDOK) ? "1" : "0";
  Expect(okStates == "001", "ok_waits_for_a_palette_name_that_passes",
         "OK enabled for an empty name, for a missing folder, for a new file: " + okStates);
  return true;
}

// Clamped to 1..256; emptied, the field waits for the digits, and left empty reads as 1.
bool ShpExportRun::ColourCountClamped() {
  SetText(IDC_COLOUR_COUNT, L"0");
  const std::wstring fromZero = Text(IDC_COLOUR_COUNT);
  SetText(IDC_COLOUR_COUNT, L"999");
  Expect(fromZero == L"1" && Text(IDC_COLOUR_COUNT) == L"256", "colour_count_clamped_to_1_and_256",
         "0 gives " + Quoted(fromZero) + ", 999 gives " + Quoted(Text(IDC_COLOUR_COUNT)));
  SetText(IDC_COLOUR_COUNT, L"");
  const std::wstring emptied = Text(IDC_COLOUR_COUNT);
  SetText(IDC_COLOUR_COUNT, L"64");
  const std::wstring typed = Text(IDC_COLOUR_COUNT);
  SetText(IDC_COLOUR_COUNT, L"");
  SendAndWait(dialog_, WM_COMMAND, MAKEWPARAM(IDC_COLOUR_COUNT, EN_KILLFOCUS),
              reinterpret_cast<LPARAM>(Control(IDC_COLOUR_COUNT)));
  Expect(emptied.empty() && typed == L"64" && Text(IDC_COLOUR_COUNT) == L"1", "colour_count_can_be_typed",
         "emptied " + Quoted(emptied) + ", typed 64 gives " + Quoted(typed) + ", left empty gives " +
             Quoted(Text(IDC_COLOUR_COUNT)));
  return true;
}

bool ShpExportRun::ExportNewPalette() {
  SetText(IDC_COLOUR_COUNT, L"256");
  SetText(IDC_PALETTE_NAME, File(L"screen.pal"));
  if (!ExportAndWatch("new_palette")) return false;
  CompareWithCore(L"screen.shp", L"screen.pal", NewPalette, 256, "new_palette");
  return true;
}

// The file dialog offers the last file; Cancel there opens nothing.
bool ShpExportRun::FileDialogOffersLastFile() {
  session.PostCommand(IDM_SAVE_SHP);
  HWND fileDialog = WaitForFileDialog(session.process().id());
  const std::wstring offered = fileDialog ? FileDialogName(fileDialog) : L"";
  Expect(offered == File(L"screen.shp") || offered == L"screen.shp", "file_dialog_offers_last_file",
         "it offers " + Quoted(offered));
  if (fileDialog) PostMessageW(GetDlgItem(fileDialog, IDCANCEL), BM_CLICK, 0, 0);
  Expect(fileDialog && WaitForWindowGone(fileDialog, kDefaultWaitMs) &&
             !session.WaitForDialog(texts::kShpSaveCaption, 300),
         "cancelled_file_dialog_opens_nothing", "the settings dialog opened after Cancel");
  return true;
}

// That palette as an existing one, 100 of its colours, dithered; no quantizer to choose.
bool ShpExportRun::ExportOntoExistingPalette() {
  const std::string palette = Read(L"screen.pal");
  if (!Open(L"existing.shp", false, "existing_palette")) return false;
  ClickButton(dialog_, IDC_PALETTE_EXISTING);
  Expect(!Enabled(IDC_QUANTIZER), "existing_palette.no_quantizer", "the quantizer list stays enabled");
  ClickButton(dialog_, IDC_DITHER);
  SetText(IDC_PALETTE_NAME, File(L"screen.pal"));
  SetText(IDC_COLOUR_COUNT, L"100");
  if (!ExportAndWatch("existing_palette")) return false;
  CompareWithCore(L"existing.shp", L"screen.pal", ExistingPalette, 100, "existing_palette", Quantizer::Octree, true);
  Expect(Read(L"screen.pal") == palette, "existing_palette.pal_unchanged", "the palette file changed");
  return true;
}

// The mode is kept and the fields start afresh; a palette one byte short is refused and
// the SHP it would have replaced stays.
bool ShpExportRun::ShortPaletteRefused() {
  const std::string shp = Read(L"existing.shp");
  Write(L"short.pal", std::string(767, '\x10'));
  if (!Open(L"existing.shp", true, "short_palette")) return false;
  Expect(Checked(IDC_PALETTE_EXISTING) && !Checked(IDC_PALETTE_NEW) && Text(IDC_PALETTE_NAME).empty() &&
             Text(IDC_COLOUR_COUNT) == L"256" && !Enabled(IDOK) && Checked(IDC_DITHER) && !Enabled(IDC_QUANTIZER) &&
             !Checked(IDC_KEEP_INDEX0),
         "reopens_with_mode_and_dither_kept_fields_reset", "the dialog reopens in another state");
  SetText(IDC_PALETTE_NAME, File(L"short.pal"));
  ExportFails(L"PAL file read error!", "short_palette");
  Expect(Read(L"existing.shp") == shp, "short_palette.shp_unchanged", "the SHP file changed");
  return true;
}

// The best quantizer for a new palette, undithered, entry 0 left unused.
bool ShpExportRun::BestQuantizer() {
  if (!Open(L"best.shp", false, "best")) return true;
  ClickButton(dialog_, IDC_PALETTE_NEW);
  ClickButton(dialog_, IDC_DITHER);
  ClickButton(dialog_, IDC_KEEP_INDEX0);
  SendAndWait(Control(IDC_QUANTIZER), CB_SETCURSEL, 1, 0);
  SetText(IDC_PALETTE_NAME, File(L"best.pal"));
  if (!ExportAndWatch("best")) return true;
  CompareWithCore(L"best.shp", L"best.pal", NewPalette, 256, "best", Quantizer::Best, false, true);
  const std::string best = Read(L"best.shp");
  Expect(best.size() == 416032 && best.find('\0', 32) == std::string::npos, "best.no_pixel_on_entry_0",
         "a pixel uses entry 0");
  return true;
}

// An SHP another program holds open cannot be replaced: the new palette must not replace
// the old one either.
bool ShpExportRun::LockedTargetRefused() {
  Write(L"locked.shp", "old shp");
  Write(L"locked.pal", "old pal");
  HANDLE lock = CreateFileW(File(L"locked.shp").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (Open(L"locked.shp", true, "locked_target")) {
    Expect(Checked(IDC_KEEP_INDEX0), "keep_index0_kept", "the entry-0 choice is not kept");
    ClickButton(dialog_, IDC_PALETTE_NEW);
    SetText(IDC_PALETTE_NAME, File(L"locked.pal"));
    ExportFails(L"SHP file open error!", "locked_target");
  }
  if (lock != INVALID_HANDLE_VALUE) CloseHandle(lock);
  Expect(Read(L"locked.shp") == "old shp" && Read(L"locked.pal") == "old pal", "locked_target.files_unchanged",
         "the SHP or the PAL file changed");
  return true;
}

bool ShpExportRun::NoTemporaryFilesLeft() {
  std::set<std::wstring> left;
  std::string listing;
  for (const auto& entry : fs::directory_iterator(folder_)) {
    left.insert(entry.path().filename().wstring());
    listing += " " + Utf8(entry.path().filename().wstring());
  }
  Expect(left == std::set<std::wstring>{L"screen.shp", L"screen.pal", L"existing.shp", L"short.pal", L"best.shp",
                                        L"best.pal", L"locked.shp", L"locked.pal"},
         "no_temporary_files_left", "the folder holds" + listing);
  return true;
}

void ShpExportRun::Run() {
  static constexpr bool (ShpExportRun::*kSteps[])() = {&ShpExportRun::Prepare,
                                                       &ShpExportRun::OpensWithDefaults,
                                                       &ShpExportRun::PaletteNameChecked,
                                                       &ShpExportRun::ColourCountClamped,
                                                       &ShpExportRun::ExportNewPalette,
                                                       &ShpExportRun::FileDialogOffersLastFile,
                                                       &ShpExportRun::ExportOntoExistingPalette,
                                                       &ShpExportRun::ShortPaletteRefused,
                                                       &ShpExportRun::BestQuantizer,
                                                       &ShpExportRun::LockedTargetRefused,
                                                       &ShpExportRun::NoTemporaryFilesLeft};
  for (const auto step : kSteps)
    if (!(this->*step)()) return;
}
}  // namespace

void RunShpExportChecks(const DriverContext& context) { ShpExportRun(context).Run(); }
