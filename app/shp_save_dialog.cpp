#include "shp_save_dialog.h"

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "app_state.h"
#include "common_file_dialogs_win32.h"
#include "proposed_file_name.h"
#include "main_window.h"
#include "resource.h"
#include "saved_message.h"
#include "ui_language.h"
#include "map_view.h"
#include "shp_export.h"
#include "shp_mix_option.h"
#include "shp_export_choices.h"
#include "ui_texts.h"

namespace {

// The palette settings, kept for the run.
PaletteMode paletteMode = NewPalette;
char palettePath[kMaxPath] = {};
// How a new palette is built and whether pixels are dithered, also kept for the run; the
// defaults give the plain octree export.
Quantizer quantizer = Quantizer::Octree;
bool dither = false;
// Whether pixels are kept off palette entry 0, also kept for the run.
bool keepIndex0 = false;

constexpr unsigned kMinColours = 1;
constexpr unsigned kMaxColours = 256;
// ExportShp reports progress 14 times on a complete run: the bar ends full.
constexpr int kExportSteps = 14;

// The controls an export disables, so the settings stay as they are and no second export
// starts meanwhile. The close box stays: closing ends the dialog once the export returns.
constexpr int kLockedControls[] = {IDOK,            IDCANCEL,             IDC_PALETTE_NAME, IDC_PALETTE_BROWSE,
                                   IDC_PALETTE_NEW, IDC_PALETTE_EXISTING, IDC_PALETTE_NONE, IDC_COLOUR_COUNT,
                                   IDC_QUANTIZER,   IDC_DITHER,           IDC_KEEP_INDEX0,  IDC_MIX_PACK,
                                   IDC_MIX_NAME,    IDC_MIX_BROWSE};

struct ShpSaveDialogState {
  std::string shpPath;
  bool exporting = false;
};

// Null until WM_INITDIALOG has stored it.
ShpSaveDialogState* StateOf(HWND dialog) {
  return reinterpret_cast<ShpSaveDialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// A new palette needs the folder that is to hold it, an existing one the file itself.
bool PaletteNamePasses(HWND dialog) {
  char text[255] = {};
  GetDlgItemTextA(dialog, IDC_PALETTE_NAME, text, sizeof text);
  std::string path = text;
  if (paletteMode == NewPalette) {
    const std::size_t separator = path.find_last_of("\\/");
    if (separator != std::string::npos) path.resize(separator);
  }
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void CheckPaletteName(HWND dialog) { EnableWindow(GetDlgItem(dialog, IDOK), PaletteNamePasses(dialog)); }

// Setting the field notifies again; that second pass finds the count in range. While the
// user types, an emptied field stays empty (so deleting "256" and typing "64" gives 64);
// it reads as 1 once the field loses the focus or OK is pressed.
void ClampColourCount(HWND dialog, bool whileTyping) {
  if (whileTyping && GetWindowTextLengthA(GetDlgItem(dialog, IDC_COLOUR_COUNT)) == 0) return;
  const unsigned count = GetDlgItemInt(dialog, IDC_COLOUR_COUNT, nullptr, FALSE);
  if (count > kMaxColours) SetDlgItemInt(dialog, IDC_COLOUR_COUNT, kMaxColours, FALSE);
  else if (count < kMinColours) SetDlgItemInt(dialog, IDC_COLOUR_COUNT, kMinColours, FALSE);
}

// One save dialog serves both modes: a new palette may be a new file and replaces an old
// one only after asking; an existing palette must exist.
void BrowsePalette(HWND dialog) {
  OPENFILENAMEA browse{};
  browse.lStructSize = sizeof browse;
  browse.hwndOwner = dialog;
  browse.hInstance = App().instance;
  browse.lpstrFilter = "C&C PAL files(*.pal)\0*.pal\0All Files (*.*)\0*.*\0";
  browse.lpstrFile = palettePath;
  browse.nMaxFile = sizeof palettePath;
  browse.lpstrDefExt = "pal";
  browse.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING |
                 (paletteMode == ExistingPalette ? OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT);
  if (ShowSaveFileDialog(&browse)) SetDlgItemTextA(dialog, IDC_PALETTE_NAME, palettePath);
}

// The quantizer only builds new palettes: it is offered in that mode alone.
void ChoosePaletteMode(HWND dialog, PaletteMode mode) {
  paletteMode = mode;
  EnableWindow(GetDlgItem(dialog, IDC_PALETTE_NAME), TRUE);
  EnableWindow(GetDlgItem(dialog, IDC_PALETTE_BROWSE), TRUE);
  EnableWindow(GetDlgItem(dialog, IDC_QUANTIZER), mode == NewPalette);
}

// The two choices as the controls show them, remembered for the next opening.
void ReadQuantizerChoices(HWND dialog) {
  const LRESULT selected = SendDlgItemMessageW(dialog, IDC_QUANTIZER, CB_GETCURSEL, 0, 0);
  quantizer = selected == 1 ? Quantizer::Best : Quantizer::Octree;
  dither = IsDlgButtonChecked(dialog, IDC_DITHER) == BST_CHECKED;
  keepIndex0 = IsDlgButtonChecked(dialog, IDC_KEEP_INDEX0) == BST_CHECKED;
}

// Lets the windows repaint and answer while the export works. A quit request is put back
// for the message loop that owns it.
void DispatchPendingMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// How many pixels landed on palette entry 0, which the games draw transparent; empty when none.
std::wstring Index0NoteText(const ShpExportResult& result) {
  if (Index0Note(result).empty()) return {};
  const std::wstring count = std::to_wstring(result.index0Pixels);
  if (!UiIsEnglish()) return L"有 " + count + L" 个像素用了调色板第 0 项, 游戏会把它画成透明。";
  return count + (result.index0Pixels == 1 ? L" pixel uses" : L" pixels use") +
         L" palette entry 0, which the games draw transparent.";
}

void RunExport(HWND dialog) {
  ShpSaveDialogState& state = *StateOf(dialog);
  state.exporting = true;
  for (int id : kLockedControls) EnableWindow(GetDlgItem(dialog, id), FALSE);
  HWND progress = GetDlgItem(dialog, IDC_EXPORT_PROGRESS);
  SendMessageA(progress, PBM_SETRANGE, 0, MAKELPARAM(0, kExportSteps));
  SendMessageA(progress, PBM_SETSTEP, 1, 0);
  SendMessageA(progress, PBM_SETPOS, 0, 0);
  ShowWindow(progress, SW_SHOWNORMAL);

  ShpExportSettings settings;
  settings.exportPath = state.shpPath;
  settings.palettePath = palettePath;
  settings.paletteMode = paletteMode;
  settings.colourCount = static_cast<int>(GetDlgItemInt(dialog, IDC_COLOUR_COUNT, nullptr, FALSE));
  settings.quantizer = quantizer;
  settings.dither = dither;
  settings.keepIndex0 = keepIndex0;
  int steps = 0;
  // Confirmed with OK: the preview shows exports made with these from now on.
  ConfirmedShpExportSettings() = settings;
  ConfirmedShpExportSettings().exportPath.clear();
  const ShpExportResult result = ExportShp(Document(), settings, [&] {
    ++steps;
    SendMessageA(progress, PBM_STEPIT, 0, 0);
    DispatchPendingMessages();
  });
  state.exporting = false;

  if (!result.success && steps == 0 && result.error == ShpExportError::kOutOfMemory) {
    // The picture itself could not be made (the first step is its rendering): nothing was
    // written. The dialog stays, and Cancel is there to leave it.
    MessageBoxA(dialog, kOutOfMemory, kErrorCaption, MB_ICONERROR);
    EnableWindow(GetDlgItem(dialog, IDCANCEL), TRUE);
    return;
  }
  if (!result.success) {
    // The fixed message first, then which file and why, on lines of their own.
    std::string text = result.message;
    if (!result.file.empty()) text += "\n\n" + result.file;
    if (!result.reason.empty()) text += (result.file.empty() ? "\n\n" : ":\n") + result.reason;
    MessageBoxA(dialog, text.c_str(), result.caption.empty() ? kErrorCaption : result.caption.c_str(), MB_ICONERROR);
  } else {
    const std::wstring note = Index0NoteText(result);
    if (settings.paletteMode == NewPalette)
      ShowSavedMessage({FileNameOfPath(settings.exportPath), FileNameOfPath(settings.palettePath)},
                       std::clamp(settings.colourCount, 1, 256), note);
    else
      ShowSavedMessage({FileNameOfPath(settings.exportPath)}, 0, note);
    // The packing note, when the MIX option is on, replaces the saved message.
    PackExportIntoMix(dialog, settings);
  }
  SendMessageA(dialog, WM_CLOSE, 0, 0);
}

BOOL OnInitDialog(HWND dialog) {
  CheckRadioButton(dialog, IDC_PALETTE_NEW, IDC_PALETTE_EXISTING,
                   paletteMode == ExistingPalette ? IDC_PALETTE_EXISTING : IDC_PALETTE_NEW);
  SendDlgItemMessageA(dialog, IDC_COLOUR_COUNT, EM_LIMITTEXT, 3, 0);
  SetDlgItemInt(dialog, IDC_COLOUR_COUNT, kMaxColours, FALSE);
  // OK waits for a palette name that passes the check.
  EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
  ShowWindow(GetDlgItem(dialog, IDC_EXPORT_PROGRESS), SW_HIDE);
  for (int i = 0; i < kQuantizerNameCount; ++i)
    SendDlgItemMessageW(dialog, IDC_QUANTIZER, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(QuantizerName(i)));
  SendDlgItemMessageW(dialog, IDC_QUANTIZER, CB_SETCURSEL, quantizer == Quantizer::Best ? 1 : 0, 0);
  EnableWindow(GetDlgItem(dialog, IDC_QUANTIZER), paletteMode == NewPalette);
  CheckDlgButton(dialog, IDC_DITHER, dither ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, IDC_KEEP_INDEX0, keepIndex0 ? BST_CHECKED : BST_UNCHECKED);
  InitMixOption(dialog);
  return TRUE;
}

BOOL OnCommand(HWND dialog, int id, int notification) {
  // The buttons are disabled during an export; keys could still send their commands.
  const ShpSaveDialogState* state = StateOf(dialog);
  if (!state || (state->exporting && (id == IDOK || id == IDCANCEL))) return TRUE;
  switch (id) {
    case IDOK:
      ClampColourCount(dialog, false);
      GetDlgItemTextA(dialog, IDC_PALETTE_NAME, palettePath, sizeof palettePath);
      ReadQuantizerChoices(dialog);
      if (PrepareMixOption(dialog, state->shpPath)) RunExport(dialog);
      return TRUE;
    case IDCANCEL:
      EndDialog(dialog, 0);
      return TRUE;
    case IDC_PALETTE_NAME:
      if (notification == EN_CHANGE) CheckPaletteName(dialog);
      return TRUE;
    case IDC_PALETTE_BROWSE:
      BrowsePalette(dialog);
      return TRUE;
    case IDC_PALETTE_NEW:
      ChoosePaletteMode(dialog, NewPalette);
      return TRUE;
    case IDC_PALETTE_EXISTING:
      ChoosePaletteMode(dialog, ExistingPalette);
      return TRUE;
    case IDC_COLOUR_COUNT:
      if (notification == EN_CHANGE || notification == EN_KILLFOCUS) ClampColourCount(dialog, notification == EN_CHANGE);
      return TRUE;
    default:
      return MixOptionCommand(dialog, id) ? TRUE : FALSE;
  }
}

INT_PTR CALLBACK ShpSaveDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      return OnInitDialog(dialog);
    case WM_COMMAND:
      return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_CLOSE:
      // During an export this only marks the dialog to end; it ends once the export returns.
      EndDialog(dialog, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void ShowShpSaveDialog(const char* path) {
  AppState& app = App();
  ShpSaveDialogState state;
  state.shpPath = path;
  ShowDialog(IDD_SHP_SAVE, app.mainWindow, ShpSaveDialogProc,
                  reinterpret_cast<LPARAM>(&state));
}

void SaveShpCommand() {
  AppState& app = App();
  OPENFILENAMEA browse{};
  browse.lStructSize = sizeof browse;
  browse.hwndOwner = app.mainWindow;
  browse.hInstance = app.instance;
  browse.lpstrFilter = "SHP(YR/RA2) files(*.shp)\0*.shp\0All Files (*.*)\0*.*\0";
  // Folder and name as last chosen in any file dialog, but never another type's extension.
  const std::string proposed = ProposedFileName(app.exportPath, {".shp"}, ".shp");
  if (proposed.size() < sizeof app.exportPath) std::memcpy(app.exportPath, proposed.c_str(), proposed.size() + 1);
  browse.lpstrFile = app.exportPath;
  browse.nMaxFile = sizeof app.exportPath;
  browse.lpstrDefExt = "shp";
  // The path is shared with the screenshot chooser and save as image: it may name a picture
  // the user keeps, so replacing any file is asked first.
  browse.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER | OFN_ENABLESIZING;
  if (!ShowSaveFileDialog(&browse)) return;
  ShowShpSaveDialog(app.exportPath);
  // The settings may have changed what the export preview shows.
  RepaintView();
}
