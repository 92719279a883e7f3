// The SHP dialog's palette name: a new palette's field starts as the SHP's name with ".pal",
// a bare name is written beside the SHP (the bytes the core writes), the line under the
// field says why OK is disabled, and an existing palette's field starts empty and needs the
// file.
#include <windows.h>

#include <filesystem>
#include <string>

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

class PaletteNameRun : public Scenario {
 public:
  PaletteNameRun(const DriverContext& context, std::wstring folder)
      : Scenario(context, "palette_name"), folder_(std::move(folder)) {}
  void Run();

 private:
  std::wstring File(const wchar_t* name) const { return folder_ + L"\\" + name; }
  HWND Control(int id) const { return GetDlgItem(dialog_, id); }
  std::wstring Caption(int id) const { return ControlText(Control(id)); }
  void SetText(const std::wstring& text) const {
    SendAndWait(Control(IDC_PALETTE_NAME), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  // OK's state and the line under the field: "1" and no line, or "0" and the reason.
  void ExpectState(bool ok, Text reason, const std::string& check) const {
    const std::wstring line = Caption(IDC_PALETTE_PROBLEM);
    const bool enabled = IsWindowEnabled(Control(IDOK)) != FALSE;
    const std::wstring want = ok ? std::wstring() : EditorText(reason);
    Expect(enabled == ok && line == want, check,
           std::string("OK ") + (enabled ? "enabled" : "disabled") + ", the line says " + Quoted(line) + ", expected " +
               Quoted(want));
  }

  std::wstring folder_;
  HWND dialog_ = nullptr;
};

void PaletteNameRun::Run() {
  // 1. A new palette: the SHP's own name, bare, and nothing in the way.
  if (!(dialog_ = OpenShpDialog(*this, File(L"mission1.shp"), "new_palette.open"))) return;
  Expect(Caption(IDC_PALETTE_NAME) == L"mission1.pal", "new_palette.field_is_the_shp_name",
         "the field holds " + Quoted(Caption(IDC_PALETTE_NAME)));
  ExpectState(true, Text::Count, "new_palette.ok_enabled");

  // 2. While OK waits, the line says why.
  SetText(L"");
  ExpectState(false, Text::PaletteNameEmpty, "empty_name.says_why");
  SetText(File(L"no such folder\\new.pal"));
  ExpectState(false, Text::PaletteFolderMissing, "missing_folder.says_why");

  // 3. A bare name lies beside the SHP; the files are the core's, byte for byte.
  SetText(L"sov01.pal");
  ExpectState(true, Text::Count, "bare_name.ok_enabled");
  if (!ExportThroughShpDialog(*this, dialog_, "bare_name.export")) return;
  const std::wstring expected = context.scratchDir + L"\\palette_name_expected";
  CreateDirectoryW(expected.c_str(), nullptr);
  ShpExportSettings settings;
  settings.exportPath = ToAnsi(expected + L"\\mission1.shp");
  settings.palettePath = ToAnsi(expected + L"\\sov01.pal");
  const bool core = ExportShp(model.document(), settings).success;
  const std::string shp = ReadWholeFile(File(L"mission1.shp")), pal = ReadWholeFile(File(L"sov01.pal"));
  Expect(core && shp.size() == 416032 && pal.size() == 768 && shp == ReadWholeFile(Wide(settings.exportPath)) &&
             pal == ReadWholeFile(Wide(settings.palettePath)),
         "bare_name.written_beside_the_shp_as_the_core_writes_it",
         "SHP " + std::to_string(shp.size()) + " bytes, PAL " + std::to_string(pal.size()) + " bytes, or they differ");
  Expect(!fs::exists(context.scratchDir + L"\\sov01.pal"), "bare_name.not_in_the_working_folder",
         "the palette went to the editor's working folder too");

  // 4. An existing palette keeps its rules: a file that exists, an empty field at opening.
  if (!(dialog_ = OpenShpDialog(*this, File(L"mission2.shp"), "existing_palette.open"))) return;
  ClickButton(dialog_, IDC_PALETTE_EXISTING);
  ExpectState(false, Text::PaletteFileMissing, "existing_palette.needs_the_file");
  SetText(File(L"sov01.pal"));
  ExpectState(true, Text::Count, "existing_palette.file_passes");
  ClickButton(dialog_, IDCANCEL);
  WaitForWindowGone(dialog_, kDefaultWaitMs);
  if (!(dialog_ = OpenShpDialog(*this, File(L"mission2.shp"), "existing_palette.reopen"))) return;
  Expect(Caption(IDC_PALETTE_NAME).empty(), "existing_palette.starts_empty",
         "the field holds " + Quoted(Caption(IDC_PALETTE_NAME)));
  ExpectState(false, Text::PaletteNameEmpty, "existing_palette.empty_says_why");
  // Back to a new palette: the empty field takes the SHP's name.
  ClickButton(dialog_, IDC_PALETTE_NEW);
  Expect(Caption(IDC_PALETTE_NAME) == L"mission2.pal", "new_palette.fills_an_empty_field",
         "the field holds " + Quoted(Caption(IDC_PALETTE_NAME)));
  ExpectState(true, Text::Count, "new_palette.fills_an_empty_field.ok_enabled");
  ClickButton(dialog_, IDCANCEL);
  Expect(WaitForWindowGone(dialog_, kDefaultWaitMs) && !fs::exists(File(L"mission2.shp")), "cancel_writes_nothing",
         "the dialog stays or an SHP was written");
}

}  // namespace

void RunPaletteNameChecks(const DriverContext& context) {
  const std::wstring folder = context.scratchDir + L"\\palette_name";
  MakeEmptyFolder(folder);
  PaletteNameRun run(context, folder);
  if (run.Start()) run.Run();
}
