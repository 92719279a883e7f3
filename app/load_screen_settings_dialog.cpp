#include "load_screen_settings_dialog.h"

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app_state.h"
#include "catalogue.h"
#include "content_commands.h"
#include "crop_dialog.h"
#include "image_file_dialogs_win32.h"
#include "image_files.h"
#include "map_view.h"
#include "resource.h"
#include "side_switch.h"

namespace {

constexpr int kCameoCombos[CameoSlots] = {IDC_CAMEO_1, IDC_CAMEO_2, IDC_CAMEO_3};

// Kept for the run: the combo position of the cameo last loaded into each slot (-1 none),
// restored as the selection when the dialog opens again, and the screenshot's file name.
int CameoChoice[CameoSlots] = {-1, -1, -1};
char ScreenshotPath[kMaxPath] = "";

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
  if (loaded && SetCameo(document, slot, std::move(cameo))) {
    CameoChoice[slot] = static_cast<int>(position);
    return;
  }
  ClearCameo(document, slot);
  CameoChoice[slot] = -1;
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  if (!loaded)
    MessageBoxA(dialog, "Error: Can't find file!", kProgramCaption, MB_ICONWARNING);
  else
    MessageBoxA(dialog, "Error: This file isn't valid icon file\nImage size must be 76x60", kProgramCaption,
                MB_ICONERROR);
}

// The screenshot chooser. A picture of exactly 234 x 232 is taken as it is, a larger one
// through the crop dialog. The document's screenshot and the remembered file name change
// only when a new screenshot is really taken: a refused file, a declined question or a
// cancelled crop keep both as they were.
void TakeScreenshot(HWND dialog) {
  char* chosenPath = App().exportPath;
  MemoryImage chosen;
  if (!ChooseImageToOpen(dialog, chosenPath, chosen)) return;
  if (chosen.width < ScreenshotWidth || chosen.height < ScreenshotHeight) {
    MessageBoxA(dialog, "Error: Size of image is less than 234x232\nPlease select another image.", kProgramCaption,
                MB_ICONERROR);
    return;
  }
  MemoryImage screenshot;
  if (chosen.width == ScreenshotWidth && chosen.height == ScreenshotHeight) {
    screenshot = std::move(chosen);
  } else {
    if (MessageBoxA(dialog, "Size of image isn't 234x232.Do you want to crop this image?", kProgramCaption,
                    MB_YESNO | MB_ICONQUESTION) != IDYES)
      return;
    // Owned by this dialog, so it cannot be used while the crop dialog is open.
    if (ShowCropDialog(dialog, screenshot, chosen, chosenPath, ScreenshotWidth, ScreenshotHeight) != 1) return;
  }
  if (!SetScreenshot(Document(), std::move(screenshot))) return;
  std::snprintf(ScreenshotPath, sizeof ScreenshotPath, "%s", chosenPath);
  SetDlgItemTextA(dialog, IDC_SCREENSHOT_NAME, ScreenshotPath);
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
  // Selecting loads nothing; a remembered position beyond a shorter catalogue selects none.
  for (int slot = 0; slot < CameoSlots; ++slot)
    if (CameoChoice[slot] != -1)
      SendDlgItemMessageA(dialog, kCameoCombos[slot], CB_SETCURSEL, static_cast<WPARAM>(CameoChoice[slot]), 0);
}

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      FillCameoCombos(dialog, *reinterpret_cast<SettingsDialogState*>(lParam));
      ShowSideAndCount(dialog);
      SetDlgItemTextA(dialog, IDC_SCREENSHOT_NAME, ScreenshotPath);
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
  DialogBoxParamA(app.instance, MAKEINTRESOURCEA(IDD_LOAD_SCREEN_SETTINGS), app.mainWindow, SettingsDialogProc,
                  reinterpret_cast<LPARAM>(&state));
}
