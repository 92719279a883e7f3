#include "load_screen_settings_dialog.h"

#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app_state.h"
#include "dialog_placement.h"
#include "catalogue.h"
#include "content_commands.h"
#include "image_file_dialogs_win32.h"
#include "image_files.h"
#include "map_view.h"
#include "resource.h"
#include "ui_language.h"
#include "screenshot_choice.h"
#include "side_switch.h"
#include "ui_texts.h"

namespace {

constexpr int kCameoCombos[CameoSlots] = {IDC_CAMEO_1, IDC_CAMEO_2, IDC_CAMEO_3};

// Owns the file names the combo lines point at (their item data) while the dialog lives.
struct SettingsDialogState {
  std::vector<std::unique_ptr<std::string>> fileNames;
};

// The radio buttons and the third combo box as the document stands: after a refused side
// or count change they show what is still in force, not what was clicked.
void ShowSideAndCount(HWND dialog) {
  const LoadScreenDocument& document = Document();
  if (document.side >= Allied && document.side <= Yuri)
    CheckRadioButton(dialog, IDC_SIDE_ALLIED, IDC_SIDE_YURI, IDC_SIDE_ALLIED + document.side);
  const bool three = document.cameoCount == 3;
  CheckRadioButton(dialog, IDC_CAMEO_COUNT_2, IDC_CAMEO_COUNT_3, three ? IDC_CAMEO_COUNT_3 : IDC_CAMEO_COUNT_2);
  EnableWindow(GetDlgItem(dialog, IDC_CAMEO_3), three);
}

// Auto radio buttons click themselves when they get the focus unchecked. Before the
// message of a refused change takes the focus, it moves to the button now checked, so
// closing the message cannot click the refused one again.
void RefuseSwitch(HWND dialog, int checkedButton) {
  ShowSideAndCount(dialog);
  SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, checkedButton)), TRUE);
  ReportMissingSideTemplate(dialog);
}

void ChangeCount(HWND dialog, int count) {
  LoadScreenDocument& document = Document();
  if (document.SetCameoCount(count)) {
    ShowSideAndCount(dialog);
  } else {
    RefuseSwitch(dialog, document.cameoCount == 3 ? IDC_CAMEO_COUNT_3 : IDC_CAMEO_COUNT_2);
  }
  // Also for the count already in force: nothing is reloaded, the view is painted again.
  RepaintView();
}

void ChangeSide(HWND dialog, int side) {
  LoadScreenDocument& document = Document();
  if (document.SetSide(side)) {
    ShowSideAndCount(dialog);
  } else {
    RefuseSwitch(dialog, IDC_SIDE_ALLIED + document.side);
  }
  RepaintView();
}

// Loads the cameo of the combo's selected line into the slot. A refused file empties the
// slot, shows it empty at once and leaves no line selected, so reopening shows no stale
// choice; then the message tells why.
void LoadCameo(HWND dialog, int slot) {
  HWND combo = GetDlgItem(dialog, kCameoCombos[slot]);
  const LRESULT position = SendMessageA(combo, CB_GETCURSEL, 0, 0);
  if (position == CB_ERR) return;
  const LRESULT data = SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(position), 0);
  if (data == CB_ERR || data == 0) return;
  const std::string& fileName = *reinterpret_cast<const std::string*>(data);
  if (fileName.empty()) return;

  LoadScreenDocument& document = Document();
  const std::string path = TemplatePath(document.appDir, fileName);
  MemoryImage cameo;
  const bool loaded = !path.empty() && LoadImageFile(path.c_str(), cameo);
  if (loaded && SetCameo(document, slot, std::move(cameo), fileName)) return;
  ClearCameo(document, slot);
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  if (!loaded)
    MessageBoxA(dialog, Text(UiText::CameoMissing), kProgramCaption, MB_ICONWARNING);
  else
    MessageBoxA(dialog, Text(UiText::CameoWrongSize), kProgramCaption, MB_ICONERROR);
}

// The screenshot chooser: the chosen picture is taken as a dropped one is. The document's
// screenshot and its file name change only when a new screenshot is really taken.
void TakeScreenshot(HWND dialog) {
  char* chosenPath = App().exportPath;
  MemoryImage chosen;
  if (!ChooseImageToOpen(dialog, chosenPath, chosen, UiIsEnglish() ? "Preview:" : nullptr)) return;
  if (TakeScreenshotFrom(dialog, std::move(chosen), chosenPath))
    SetDlgItemTextA(dialog, IDC_SCREENSHOT_NAME, Document().screenshotName.c_str());
}

// Each combo box shows the line of the cameo its slot holds (the document knows the file, also
// after an undo or an opened scene); a slot that is empty, or whose file the catalogue no
// longer lists, shows none. Selecting loads nothing.
void SelectCameoLines(HWND dialog) {
  const LoadScreenDocument& document = Document();
  for (int slot = 0; slot < CameoSlots; ++slot) {
    HWND combo = GetDlgItem(dialog, kCameoCombos[slot]);
    LRESULT chosen = CB_ERR;
    const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT line = 0; line < count && chosen == CB_ERR && !document.cameoFiles[slot].empty(); ++line) {
      const LRESULT data = SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(line), 0);
      if (data != CB_ERR && data != 0 && *reinterpret_cast<const std::string*>(data) == document.cameoFiles[slot])
        chosen = line;
    }
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
  }
}

// Every combo box holds the whole catalogue in reverse file order: each line goes in at
// the top. Each line carries its own copy of the file name.
void FillCameoCombos(HWND dialog, SettingsDialogState& state) {
  const std::string settingsPath = Document().appDir + "Settings.ini";
  std::vector<CatalogueEntry> entries;
  std::string message;
  if (!LoadCatalogue(settingsPath.c_str(), kCameosListSection, CatalogueKind::Cameos, entries, message)) {
    // The lists stay empty; the side, the count and the screenshot still work.
    MessageBoxA(dialog, message.c_str(), kErrorCaption, MB_ICONERROR);
    return;
  }
  for (const CatalogueEntry& entry : entries) {
    for (int combo : kCameoCombos) {
      const LRESULT position = SendDlgItemMessageA(dialog, combo, CB_INSERTSTRING, 0,
                                                   reinterpret_cast<LPARAM>(entry.displayName.c_str()));
      if (position < 0) continue;
      auto fileName = std::make_unique<std::string>(entry.fileName);
      SendDlgItemMessageA(dialog, combo, CB_SETITEMDATA, static_cast<WPARAM>(position),
                          reinterpret_cast<LPARAM>(fileName.get()));
      state.fileNames.push_back(std::move(fileName));
    }
  }
  SelectCameoLines(dialog);
}

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      FillCameoCombos(dialog, *reinterpret_cast<SettingsDialogState*>(lParam));
      ShowSideAndCount(dialog);
      SetDlgItemTextA(dialog, IDC_SCREENSHOT_NAME, Document().screenshotName.c_str());
      PlaceBesidePicture(dialog);
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const int code = HIWORD(wParam);
      if (id == IDCANCEL) {
        EndDialog(dialog, 0);
      } else if (id >= IDC_CAMEO_1 && id <= IDC_CAMEO_3) {
        if (code != CBN_SELCHANGE) return FALSE;
        LoadCameo(dialog, id - IDC_CAMEO_1);
      } else if (id == IDC_SCREENSHOT_BROWSE && code == BN_CLICKED) {
        TakeScreenshot(dialog);
      } else if ((id == IDC_CAMEO_COUNT_2 || id == IDC_CAMEO_COUNT_3) && code == BN_CLICKED) {
        ChangeCount(dialog, id == IDC_CAMEO_COUNT_3 ? 3 : 2);
      } else if (id >= IDC_SIDE_ALLIED && id <= IDC_SIDE_YURI && code == BN_CLICKED) {
        ChangeSide(dialog, id - IDC_SIDE_ALLIED);
      } else {
        return FALSE;
      }
      return TRUE;
    }
    case WM_CLOSE:
      EndDialog(dialog, 0);
      return TRUE;
    case WM_DESTROY: {
      // The lines' item data point into this list: it goes with the dialog.
      auto* state = reinterpret_cast<SettingsDialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
      if (state) state->fileNames.clear();
      return FALSE;
    }
    default:
      return FALSE;
  }
}

}  // namespace

void OpenLoadScreenSettingsDialog() {
  AppState& app = App();
  SettingsDialogState state;
  ShowDialog(IDD_LOAD_SCREEN_SETTINGS, app.mainWindow, SettingsDialogProc,
                  reinterpret_cast<LPARAM>(&state));
}
