// View -> Preview as exported: with the default settings, and after exports through the SHP
// dialog (a new palette of 16 colours, then an existing palette with 200), the view equals
// the decoded SHP and PAL of that export, follows a key move, names its figures in the
// status bar (after the export's "Saved ..." report, which a repaint does not wipe, until the
// next key), and goes back to the plain view when switched off. A palette file that went
// missing switches it off with a message that names the file.
#include <windows.h>

#include <filesystem>
#include <string>

#include "file_dialogs.h"
#include "input.h"
#include "package_staging.h"
#include "pal_file.h"
#include "remote_controls.h"
#include "resource.h"
#include "run_language.h"
#include "scenario.h"
#include "scenario_support.h"
#include "scenarios.h"
#include "shp_export.h"
#include "shp_reader.h"
#include "wait.h"
#include "wide_text.h"
#include "window_search.h"

namespace {
namespace fs = std::filesystem;

constexpr int kExportTimeoutMs = 60000;

// The picture the SHP and PAL files decode to; invalid when they cannot be read.
MemoryImage DecodeExport(const std::wstring& shp, const std::wstring& pal) {
  MemoryImage picture;
  WaitUntil(
      [&] {
        FileBytes bytes;
        ShpSprite sprite;
        Palette palette{};
        std::string error;
        return ReadFileBytes(ToAnsi(shp).c_str(), bytes, error) &&
               ParseShp(bytes.data.get(), bytes.size, sprite, error) &&
               ReadPalFile(ToAnsi(pal).c_str(), palette) == PalReadStatus::kOk &&
               DecodeShpFrameToImage(bytes.data.get(), bytes.size, sprite, 0, palette, picture, error);
      },
      1000);
  return picture;
}

class PreviewRun : public Scenario {
 public:
  PreviewRun(const DriverContext& context, std::wstring folder)
      : Scenario(context, "preview"), folder_(std::move(folder)) {}
  // A palette for the existing-palette export, made by the core from the screen moved once.
  bool Seed();
  void Run();

 private:
  std::wstring File(const wchar_t* name) const { return folder_ + L"\\" + name; }
  bool ExportThroughDialog(const wchar_t* shp, PaletteMode mode, const wchar_t* pal, int colours,
                           const std::string& name);
  void ExpectStatusStarts(const std::wstring& english, const std::wstring& chinese, const std::string& name) {
    const std::wstring want = RunLanguage() == DriverLanguage::English ? english : chinese;
    std::wstring got;
    WaitUntil(
        [&] { return (got = session.StatusText(2)).rfind(want, 0) == 0 && got.find(L"dB") != std::wstring::npos; },
        kDefaultWaitMs);
    Expect(got.rfind(want, 0) == 0 && got.find(L"dB") != std::wstring::npos, name,
           "the status bar says " + Quoted(got) + ", expected " + Quoted(want) + "... dB");
  }

  // The export's report stays over the preview's figures; the next key ends it.
  void ExpectReportThenFigures(const std::wstring& english, const std::wstring& chinese, const std::string& name) {
    const std::wstring saved = EditorText({{Text::SavedFile, {{"file", ""}}}});
    std::wstring got;
    WaitUntil([&] { return (got = session.StatusText(2)).rfind(saved, 0) == 0; }, kDefaultWaitMs);
    // A repaint runs the preview again, which once wrote its figures over the report.
    SendAndWait(session.view(), WM_PAINT, 0, 0);
    const bool stays = got.rfind(saved, 0) == 0 && session.StatusText(2).rfind(saved, 0) == 0;
    Expect(stays, name + ".report_outlives_the_preview", "the status bar says " + Quoted(session.StatusText(2)));
    session.PressKey(VK_SHIFT, kNoModifier);
    ExpectStatusStarts(english, chinese, name + ".status");
  }

  std::wstring folder_;
};

// The SHP file dialog, then dialog 107 with these settings, OK, and the export's end.
bool PreviewRun::ExportThroughDialog(const wchar_t* shp, PaletteMode mode, const wchar_t* pal, int colours,
                                     const std::string& name) {
  session.PostCommand(IDM_SAVE_SHP);
  HWND fileDialog = WaitForFileDialog(session.process().id());
  if (!Expect(fileDialog && ChooseFileName(fileDialog, File(shp)), name + ".file_dialog", "no file dialog"))
    return false;
  HWND dialog = session.WaitForDialog(texts::kShpSaveCaption);
  if (!Expect(dialog != nullptr, name + ".dialog", "dialog 107 did not open")) return false;
  ClickButton(dialog, mode == NewPalette ? IDC_PALETTE_NEW : IDC_PALETTE_EXISTING);
  const std::wstring palette = File(pal), count = std::to_wstring(colours);
  SendAndWait(GetDlgItem(dialog, IDC_PALETTE_NAME), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(palette.c_str()));
  SendAndWait(GetDlgItem(dialog, IDC_COLOUR_COUNT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(count.c_str()));
  PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  std::error_code error;
  return Expect(WaitForWindowGone(dialog, kExportTimeoutMs) && fs::file_size(File(shp), error) == 416032,
                name + ".exported", "the export did not end with an SHP file");
}

bool PreviewRun::Seed() {
  session.PressKey(VK_RIGHT, kCtrl);
  model.Key(VK_RIGHT, kCtrl);
  ShpExportSettings seed;
  seed.exportPath = ToAnsi(File(L"seed.shp"));
  seed.palettePath = ToAnsi(File(L"seed.pal"));
  return Expect(ExportShp(model.document(), seed).success, "seed_palette", "the driver's export failed");
}

void PreviewRun::Run() {
  // 1. Ctrl+E before any export: a new octree palette of 256 colours.
  TypeShortcut('E', kCtrl);
  MenuItemState item;
  WaitUntil([&] { return session.MenuItem(IDM_PREVIEW_AS_EXPORTED, item) && item.checked(); }, kDefaultWaitMs);
  ExpectMenuItem(context, session, IDM_PREVIEW_AS_EXPORTED, true, false, "preview.ctrl_e_checks_the_item");
  ShpExportSettings defaults;
  defaults.exportPath = ToAnsi(File(L"default.shp"));
  defaults.palettePath = ToAnsi(File(L"default.pal"));
  Expect(ExportShp(model.document(), defaults).success, "default.core_export", "the driver's export failed");
  Shows(DecodeExport(File(L"default.shp"), File(L"default.pal")), "preview.default.view_equals_decoded_export");
  ExpectStatusStarts(L"Preview: octree, 256 colours, ", L"预览: 八叉树, 256 色, ", "default.status");

  // 2. Through the dialog, a new palette of 16 colours.
  if (!ExportThroughDialog(L"sixteen.shp", NewPalette, L"sixteen.pal", 16, "new_16")) return;
  Shows(DecodeExport(File(L"sixteen.shp"), File(L"sixteen.pal")), "preview.new_16.view_equals_decoded_export");
  ExpectReportThenFigures(L"Preview: octree, 16 colours, ", L"预览: 八叉树, 16 色, ", "new_16");

  // 3. An existing palette with 200 of its entries, the preview still on. The editor opens
  // existing.pal for itself alone on every repaint, so the driver reads the same bytes from
  // seed.pal, which the editor never opens.
  std::string error;
  WriteFileIn(folder_, L"existing.pal", ReadWholeFile(File(L"seed.pal")), error);
  if (!ExportThroughDialog(L"existing.shp", ExistingPalette, L"existing.pal", 200, "existing_200")) return;
  Shows(DecodeExport(File(L"existing.shp"), File(L"seed.pal")), "preview.existing_200.view_equals_decoded_export");
  ExpectReportThenFigures(L"Preview: existing palette, 200 colours, ", L"预览: 现有调色板, 200 色, ", "existing_200");

  // 4. A key move: the view follows, as an export made after the move shows it.
  // Without a modifier: after the dialogs the editor need not be the foreground window.
  session.PressKey(VK_LEFT, kNoModifier);
  model.Key(VK_LEFT, kNoModifier);
  ShpExportSettings after;
  after.exportPath = ToAnsi(File(L"after_move.shp"));
  after.palettePath = ToAnsi(File(L"seed.pal"));
  after.paletteMode = ExistingPalette;
  after.colourCount = 200;
  Expect(ExportShp(model.document(), after).success, "after_move.core_export", "the driver's export failed");
  Shows(DecodeExport(File(L"after_move.shp"), File(L"seed.pal")), "preview.after_move.view_follows_the_key");

  // 5. Off: the plain view and the key hint again.
  session.Command(IDM_PREVIEW_AS_EXPORTED);
  ExpectMenuItem(context, session, IDM_PREVIEW_AS_EXPORTED, false, false, "preview.off_unchecks_the_item");
  View("preview.off_shows_the_plain_view");
  ExpectStatus(context, session, 2, EditorText(Text::KeyHint), "preview.off_shows_the_key_hint");

  // 6. The existing palette gone: switching on reports the file and stays off.
  fs::remove(File(L"existing.pal"));
  session.PostCommand(IDM_PREVIEW_AS_EXPORTED);
  HWND box = session.WaitForDialog(L"Vantorel");
  const std::wstring text = box ? MessageBoxText(box) : L"";
  Expect(box && text.find(File(L"existing.pal")) != std::wstring::npos, "missing_palette.message_names_the_file",
         "the message is " + Quoted(text));
  if (box) PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  WaitForWindowGone(box, kDefaultWaitMs);
  ExpectMenuItem(context, session, IDM_PREVIEW_AS_EXPORTED, false, false, "missing_palette.turns_the_preview_off");
  View("missing_palette.plain_view");
}

}  // namespace

void RunPreviewChecks(const DriverContext& context) {
  const std::wstring folder = context.scratchDir + L"\\preview";
  MakeEmptyFolder(folder);
  PreviewRun run(context, folder);
  if (run.Start() && run.Seed()) run.Run();
}
