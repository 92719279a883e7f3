#include "shp_save_dialog.h"

#include <commctrl.h>

#include <string>

#include "language.h"
#include "message_box_prompts.h"
#include "modal_dialog.h"
#include "output_file_dialogs.h"
#include "path_limits.h"
#include "paths.h"
#include "resource.h"

namespace {

// ExportShp reports progress 14 times on a complete run: the bar ends full.
constexpr int kExportSteps = 14;

// The controls an export disables, so the settings stay as they are and no second export
// starts meanwhile. The close box stays: closing ends the dialog once the export returns.
constexpr int kLockedControls[] = {IDOK,
                                   IDCANCEL,
                                   IDC_PALETTE_NAME,
                                   IDC_PALETTE_BROWSE,
                                   IDC_PALETTE_NEW,
                                   IDC_PALETTE_EXISTING,
                                   IDC_PALETTE_NONE,
                                   IDC_COLOUR_COUNT,
                                   IDC_QUANTIZER,
                                   IDC_DITHER,
                                   IDC_KEEP_INDEX0,
                                   IDC_MIX_PACK,
                                   IDC_MIX_NAME,
                                   IDC_MIX_BROWSE,
                                   IDC_MISSION_MAP,
                                   IDC_MISSION_FILE,
                                   IDC_MISSION_BROWSE};

// What the MIX check box enables.
constexpr int kMixControls[] = {IDC_MIX_NAME,           IDC_MIX_BROWSE,   IDC_MISSION_MAP_LABEL, IDC_MISSION_MAP,
                                IDC_MISSION_FILE_LABEL, IDC_MISSION_FILE, IDC_MISSION_BROWSE};

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

std::string FieldText(HWND dialog, int id) {
  char text[kPathBufferSize] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

class ShpSaveDialog final : public ModalDialog {
 public:
  ShpSaveDialog(const ShpForm& form, const ShpSaveActions& actions) : form_(form), actions_(actions) {}
  ShpForm Show(HWND owner) {
    Run(DialogTemplate(IDD_SHP_SAVE), owner);
    return form_;
  }

 private:
  // OK follows the name and the mode; while it is disabled the line under the field says why.
  void CheckPaletteField() {
    const PaletteNameProblem problem =
        CheckPaletteName(form_.paletteMode, FieldText(window(), IDC_PALETTE_NAME), form_.shpPath, PathExists);
    EnableWindow(Control(IDOK), problem == PaletteNameProblem::None);
    SetDlgItemTextW(window(), IDC_PALETTE_PROBLEM, WideLine(PaletteNameProblemLine(problem)).c_str());
  }

  // Setting the field notifies again; that second pass finds the count in range.
  void ClampColourCount(bool whileTyping) {
    const bool empty = GetWindowTextLengthA(Control(IDC_COLOUR_COUNT)) == 0;
    const unsigned count = GetDlgItemInt(window(), IDC_COLOUR_COUNT, nullptr, FALSE);
    if (const std::optional<unsigned> written = ClampedColourCount(count, empty, whileTyping))
      SetDlgItemInt(window(), IDC_COLOUR_COUNT, *written, FALSE);
  }

  // One save dialog serves both modes: a new palette may be a new file and replaces an old
  // one only after asking; an existing palette must exist.
  void BrowsePalette() {
    if (!ChoosePaletteFile(window(), form_.browsedPalette, form_.paletteMode == ExistingPalette)) return;
    SetDlgItemTextA(window(), IDC_PALETTE_NAME, form_.browsedPalette.c_str());
  }

  void BrowseMix() {
    std::string path = FieldText(window(), IDC_MIX_NAME);
    if (ChooseMixFile(window(), path)) SetDlgItemTextA(window(), IDC_MIX_NAME, path.c_str());
  }

  void BrowseMission() {
    std::string path = FieldText(window(), IDC_MISSION_FILE);
    if (ChooseMissionFile(window(), path)) SetDlgItemTextA(window(), IDC_MISSION_FILE, path.c_str());
  }

  // The quantizer only builds new palettes: it is offered in that mode alone. A bare name
  // means another file in each mode, so the name is checked again.
  void ChoosePaletteMode(PaletteMode mode) {
    form_.paletteMode = mode;
    EnableWindow(Control(IDC_PALETTE_NAME), TRUE);
    EnableWindow(Control(IDC_PALETTE_BROWSE), TRUE);
    EnableWindow(Control(IDC_QUANTIZER), mode == NewPalette);
    const std::string field = FieldText(window(), IDC_PALETTE_NAME);
    const std::string named = PaletteNameForMode(mode, field, form_.shpPath);
    // Setting the field checks it through its change notice.
    if (named != field)
      SetDlgItemTextA(window(), IDC_PALETTE_NAME, named.c_str());
    else
      CheckPaletteField();
  }

  void EnableMixGroup() {
    const BOOL on = IsDlgButtonChecked(window(), IDC_MIX_PACK) == BST_CHECKED;
    for (int id : kMixControls) EnableWindow(Control(id), on);
  }

  // The controls as the form, once OK is pressed.
  void ReadForm() {
    ClampColourCount(false);
    form_.paletteName = FieldText(window(), IDC_PALETTE_NAME);
    // The palette file dialog starts from the file confirmed last.
    form_.browsedPalette = PaletteFilePath(form_.paletteMode, form_.paletteName, form_.shpPath);
    form_.colourCount = GetDlgItemInt(window(), IDC_COLOUR_COUNT, nullptr, FALSE);
    form_.quantizer = SendDlgItemMessageW(window(), IDC_QUANTIZER, CB_GETCURSEL, 0, 0) == 1 ? Quantizer::Best
                                                                                            : Quantizer::Octree;
    form_.dither = IsDlgButtonChecked(window(), IDC_DITHER) == BST_CHECKED;
    form_.keepIndex0 = IsDlgButtonChecked(window(), IDC_KEEP_INDEX0) == BST_CHECKED;
    form_.mix.pack = IsDlgButtonChecked(window(), IDC_MIX_PACK) == BST_CHECKED;
    form_.mix.file = FieldText(window(), IDC_MIX_NAME);
    form_.mix.map = FieldText(window(), IDC_MISSION_MAP);
    form_.mix.missionFile = FieldText(window(), IDC_MISSION_FILE);
  }

  void RunExport() {
    exporting_ = true;
    for (int id : kLockedControls) EnableWindow(Control(id), FALSE);
    HWND progress = Control(IDC_EXPORT_PROGRESS);
    SendMessageA(progress, PBM_SETRANGE, 0, MAKELPARAM(0, kExportSteps));
    SendMessageA(progress, PBM_SETSTEP, 1, 0);
    SendMessageA(progress, PBM_SETPOS, 0, 0);
    ShowWindow(progress, SW_SHOWNORMAL);
    MessageBoxPrompts prompts(window());
    const bool closes = actions_.run(
        form_,
        [progress] {
          SendMessageA(progress, PBM_STEPIT, 0, 0);
          DispatchPendingMessages();
        },
        prompts);
    exporting_ = false;
    if (!closes) {
      // Nothing was written. The dialog stays, and Cancel is there to leave it.
      EnableWindow(Control(IDCANCEL), TRUE);
      return;
    }
    SendMessageA(window(), WM_CLOSE, 0, 0);
  }

  BOOL OnInitDialog() {
    CheckRadioButton(window(), IDC_PALETTE_NEW, IDC_PALETTE_EXISTING,
                     form_.paletteMode == ExistingPalette ? IDC_PALETTE_EXISTING : IDC_PALETTE_NEW);
    SendDlgItemMessageA(window(), IDC_COLOUR_COUNT, EM_LIMITTEXT, 3, 0);
    SetDlgItemInt(window(), IDC_COLOUR_COUNT, form_.colourCount, FALSE);
    // OK waits for a palette name that passes the check: the field's own text is checked as
    // it is set (a new palette's proposed name).
    EnableWindow(Control(IDOK), FALSE);
    SendDlgItemMessageA(window(), IDC_PALETTE_NAME, EM_LIMITTEXT, kPathBufferSize - 1, 0);
    SetDlgItemTextA(window(), IDC_PALETTE_NAME, form_.paletteName.c_str());
    CheckPaletteField();
    ShowWindow(Control(IDC_EXPORT_PROGRESS), SW_HIDE);
    for (Text name : {Text::QuantizerOctree, Text::QuantizerBest})
      SendDlgItemMessageW(window(), IDC_QUANTIZER, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideTextOf(name).c_str()));
    SendDlgItemMessageW(window(), IDC_QUANTIZER, CB_SETCURSEL, form_.quantizer == Quantizer::Best ? 1 : 0, 0);
    EnableWindow(Control(IDC_QUANTIZER), form_.paletteMode == NewPalette);
    CheckDlgButton(window(), IDC_DITHER, form_.dither ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(window(), IDC_KEEP_INDEX0, form_.keepIndex0 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(window(), IDC_MIX_PACK, form_.mix.pack ? BST_CHECKED : BST_UNCHECKED);
    SendDlgItemMessageA(window(), IDC_MIX_NAME, EM_LIMITTEXT, kPathBufferSize - 1, 0);
    SetDlgItemTextA(window(), IDC_MIX_NAME, form_.mix.file.c_str());
    // The map name is checked for the game's 63 characters on OK; a few more typed show
    // the message that says so.
    SendDlgItemMessageA(window(), IDC_MISSION_MAP, EM_LIMITTEXT, 255, 0);
    SetDlgItemTextA(window(), IDC_MISSION_MAP, form_.mix.map.c_str());
    SendDlgItemMessageA(window(), IDC_MISSION_FILE, EM_LIMITTEXT, kPathBufferSize - 1, 0);
    SetDlgItemTextA(window(), IDC_MISSION_FILE, form_.mix.missionFile.c_str());
    EnableMixGroup();
    return TRUE;
  }

  // Cancel and the close box are the base's. During an export the close box only marks the
  // dialog to end; it ends once the export returns.
  BOOL OnCommand(int id, int notification) {
    // The buttons are disabled during an export; keys could still send their commands.
    if (exporting_ && (id == IDOK || id == IDCANCEL)) return TRUE;
    switch (id) {
      case IDOK: {
        ReadForm();
        MessageBoxPrompts prompts(window());
        if (actions_.prepare(form_, prompts)) RunExport();
        return TRUE;
      }
      case IDC_PALETTE_NAME:
        if (notification == EN_CHANGE) CheckPaletteField();
        return TRUE;
      case IDC_PALETTE_BROWSE: BrowsePalette(); return TRUE;
      case IDC_PALETTE_NEW: ChoosePaletteMode(NewPalette); return TRUE;
      case IDC_PALETTE_EXISTING: ChoosePaletteMode(ExistingPalette); return TRUE;
      case IDC_COLOUR_COUNT:
        if (notification == EN_CHANGE || notification == EN_KILLFOCUS) ClampColourCount(notification == EN_CHANGE);
        return TRUE;
      case IDC_MIX_PACK: EnableMixGroup(); return TRUE;
      case IDC_MIX_BROWSE: BrowseMix(); return TRUE;
      case IDC_MISSION_BROWSE: BrowseMission(); return TRUE;
      default: return FALSE;
    }
  }

  INT_PTR Procedure(UINT message, WPARAM wParam, LPARAM) override {
    switch (message) {
      case WM_INITDIALOG: return OnInitDialog();
      case WM_COMMAND: return OnCommand(LOWORD(wParam), HIWORD(wParam));
      default: return FALSE;
    }
  }

  ShpForm form_;
  const ShpSaveActions& actions_;
  bool exporting_ = false;
};

}  // namespace

ShpForm ShowShpSaveDialog(HWND owner, const ShpForm& form, const ShpSaveActions& actions) {
  return ShpSaveDialog(form, actions).Show(owner);
}
