// The soak round's steps through the editor's dialogs, keys and mouse.
#include "run_language.h"
#include "soak_run.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "clipboard_reader.h"
#include "colourize.h"
#include "content_commands.h"
#include "content_dialog_steps.h"
#include "crop_image.h"
#include "file_dialogs.h"
#include "image_files.h"
#include "input.h"
#include "marker_commands.h"
#include "package_staging.h"
#include "picture_compare.h"
#include "remote_controls.h"
#include "resource.h"
#include "resource_usage.h"
#include "scenario_support.h"
#include "shp_export.h"
#include "wide_text.h"
#include "window_search.h"

bool SoakRun::AddMarker(int line, int radio) {
  session.PostCommand(IDM_ADD_ITEM);
  HWND dialog = Dialog(texts::kAddItemCaption);
  if (!Step(dialog && ChooseListLine(dialog, line) && ClickButton(dialog, radio), "add_item_dialog",
            "the dialog or its controls do not answer"))
    return false;
  Press(dialog, IDOK);
  if (!Step(WaitForWindowGone(dialog, kDefaultWaitMs), "add_item_dialog", "OK does not close it")) return false;
  // The list shows the catalogue in reverse file order.
  const CatalogueEntry& entry = symbols_[symbols_.size() - 1 - static_cast<std::size_t>(line)];
  std::string error;
  return Step(model.AddSymbol(entry.fileName, ColourOfRadio(radio), error), "add_item_dialog", error);
}

// Each marker comes in at (100, 100), is dragged to a place of its own and nudged with the
// keys; then the select-item dialog and Tab move the selection, and each marker is clicked
// and deleted, by the Delete key or the menu command in turn.
bool SoakRun::Markers() {
  const int symbolCount = static_cast<int>(symbols_.size());
  for (int i = 0; i < kSoakMarkersPerRound; ++i) {
    if (!AddMarker((round_ * kSoakMarkersPerRound + i) % symbolCount, IDC_SIDE_COLOUR_BLUE + (round_ + i) % 3))
      return false;
    // A grid well away from (100, 100), shifted a little every round.
    const Point to{200 + 70 * (i % 3) + round_ % 7 * 3, 180 + 100 * (i / 3) + round_ % 5 * 4};
    // Every marker is picked up at (100, 100): two presses on one spot in quick succession
    // would make a double click, so they alternate between two points 8 pixels apart.
    const Point from{106 + i % 2 * 8, 106 + i % 2 * 8};
    std::string error = "the pointer does not stay where it was put";
    const bool dragged = SettlePointer(session.CanvasToScreen(from)) &&
                         DragCanvas(*this, from, session.CanvasToScreen(to), error) && ParkPointer();
    if (!Step(dragged, "drag_marker", error)) return false;
    if (!Step(Key(VK_LEFT, kCtrl) && Key(VK_DOWN, kShift), "marker_keys", "the main window does not take keys"))
      return false;
    ++tally_.markers;
  }
  if (!ViewMatches("with the markers placed")) return false;

  session.PostCommand(IDM_SELECT_ITEM);
  HWND select = Dialog(texts::kSelectItemCaption);
  const int line = round_ % kSoakMarkersPerRound;
  if (!Step(select && ChooseListLine(select, line), "select_item_dialog", "the dialog or its list does not answer"))
    return false;
  SelectMarker(model.document(), line);
  Press(select, IDCANCEL);
  if (!Step(WaitForWindowGone(select, kDefaultWaitMs), "select_item_dialog", "it does not close")) return false;
  if (!Step(Key(VK_TAB, kNoModifier) && Key(VK_TAB, kNoModifier), "tab", "the main window does not take Tab"))
    return false;

  for (int marker = model.document().markers.Count() - 1; marker >= 0; --marker) {
    std::string error = "the pointer does not stay where it was put";
    const bool clicked = SettlePointer(session.CanvasToScreen(CentreOf(marker))) &&
                         ClickCanvas(*this, CentreOf(marker), error) && ParkPointer();
    if (!Step(clicked, "click_marker", error)) return false;
    bool handled = true;
    if (marker % 2 == 0) {
      handled = Key(VK_DELETE, kNoModifier);
    } else {
      handled = session.Command(IDM_DELETE_ITEM);
      DeleteSelectedMarker(model.document());
    }
    if (!Step(handled, "delete_marker", "the editor does not answer")) return false;
  }
  return true;
}

bool SoakRun::MapKeys() {
  const struct {
    UINT command;
    int key, modifiers;
  } moves[] = {{IDM_MODE_SMALL_MAP, VK_RIGHT, kCtrl},
               {IDM_MODE_LARGE_MAP, VK_DOWN, kCtrlShift},
               {IDM_MODE_TARGET_BOX, round_ % 2 ? VK_UP : VK_DOWN, kCtrl}};
  for (const auto& move : moves) {
    model.Command(static_cast<int>(move.command));
    if (!Step(session.Command(move.command) && Key(move.key, move.modifiers) && Key(move.key, kNoModifier), "map_keys",
              "the main window does not answer"))
      return false;
    tally_.mapKeys += 2;
  }
  return true;
}

// The chooser takes a picture of the exact size as it is, a larger one through the crop
// question and the crop dialog.
bool SoakRun::TakeScreenshot(HWND settings, const TestPicture& picture) {
  PostMessageW(GetDlgItem(settings, IDC_SCREENSHOT_BROWSE), BM_CLICK, 0, 0);
  HWND chooser = Dialog(EditorText(Text::OpenImageCaption));
  const std::wstring path = File(picture.file);
  HWND field = chooser ? GetDlgItem(chooser, kFileNameField) : nullptr;
  if (!Step(field && SendAndWait(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str())), "screenshot_chooser",
            "no open dialog with a file-name field"))
    return false;
  Press(chooser, IDOK);
  if (!Step(WaitForWindowGone(chooser, kDefaultWaitMs), "screenshot_chooser", "Open does not close it")) return false;
  ++tally_.screenshots;
  if (picture.width == ScreenshotWidth && picture.height == ScreenshotHeight) {
    SetScreenshot(model.document(), MakeTestPicture(picture.width, picture.height));
    return true;
  }
  HWND box = Dialog(EditorText(Text::ProgramCaption));
  const std::wstring question = box ? MessageBoxText(box) : L"";
  if (!Step(question == EditorText(Text::CropQuestion), "crop_question", "no crop question but " + Quoted(question)))
    return false;
  Press(box, IDYES);
  HWND dialog = Dialog(texts::kCropCaption);
  if (!Step(dialog != nullptr, "crop_dialog", "it did not open")) return false;
  // Never at an end of the up-down controls' ranges, where they draw an arrow disabled.
  const int x = 1 + round_ * 37 % (picture.width - ScreenshotWidth - 1);
  const int y = 1 + round_ * 13 % (picture.height - ScreenshotHeight - 1);
  const std::wstring xText = std::to_wstring(x), yText = std::to_wstring(y);
  SendAndWait(GetDlgItem(dialog, IDC_CROP_X), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(xText.c_str()));
  SendAndWait(GetDlgItem(dialog, IDC_CROP_Y), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(yText.c_str()));
  Press(dialog, IDOK);
  if (!Step(WaitForWindowGone(dialog, kDefaultWaitMs), "crop_dialog", "OK does not close it")) return false;
  MemoryImage cropped;
  CropImage(cropped, MakeTestPicture(picture.width, picture.height), x, y, ScreenshotWidth, ScreenshotHeight);
  SetScreenshot(model.document(), std::move(cropped));
  ++tally_.crops;
  return true;
}

// Three side switches ending on a different side each round, three cameos with three
// slots, back to two slots every other round, and two screenshots.
bool SoakRun::LoadScreenSettings() {
  HWND dialog = OpenLoadScreenSettings(session);
  if (!Step(dialog != nullptr, "load_screen_settings", "the dialog did not open")) return false;
  Shown(dialog);
  LoadScreenDocument& document = model.document();
  for (int n = 1; n <= 3; ++n) {
    const int side = (round_ + n) % 3;
    if (!Step(ClickButton(dialog, IDC_SIDE_ALLIED + side), "side_switch", "the radio button does not answer"))
      return false;
    document.SetSide(side);
    ++tally_.sideSwitches;
  }
  if (!Step(ClickButton(dialog, IDC_CAMEO_COUNT_3), "cameo_count", "the radio button does not answer")) return false;
  document.SetCameoCount(3);
  const int lines = static_cast<int>(cameos_.size());
  for (int slot = 0; slot < 3; ++slot) {
    const int line = (round_ * 3 + slot) % lines;
    HWND combo = GetDlgItem(dialog, (IDC_CAMEO_1 + slot));
    if (!Step(SendAndWait(combo, CB_SETCURSEL, static_cast<WPARAM>(line), 0) &&
                  SendAndWait(dialog, WM_COMMAND, MAKEWPARAM((IDC_CAMEO_1 + slot), CBN_SELCHANGE),
                              reinterpret_cast<LPARAM>(combo)),
              "cameo_choice", "the combo box does not answer"))
      return false;
    // The combo boxes list the catalogue in reverse.
    MemoryImage cameo;
    LoadImageFile(TemplatePath(document.appDir, cameos_[lines - 1 - line].fileName).c_str(), cameo);
    SetCameo(document, slot, std::move(cameo));
    ++tally_.cameos;
  }
  if (round_ % 2 == 1) {
    if (!Step(ClickButton(dialog, IDC_CAMEO_COUNT_2), "cameo_count", "the radio button does not answer")) return false;
    document.SetCameoCount(2);
  }
  Shown(dialog);
  if (!TakeScreenshot(dialog, kShotExact) || !TakeScreenshot(dialog, kShotLarge)) return false;
  Press(dialog, IDCANCEL);
  return Step(WaitForWindowGone(dialog, kDefaultWaitMs), "load_screen_settings", "it does not close");
}

// Levels (grey every other round) and intensity, first cancelled, then taken with OK.
bool SoakRun::Colourize() {
  for (const bool ok : {false, true}) {
    session.PostCommand(IDM_SCREENSHOT_SETTINGS);
    HWND dialog = Dialog(texts::kColourizeCaption);
    if (!Step(dialog != nullptr, "colourize", "the dialog did not open")) return false;
    session.ParkDialog(dialog);
    const ColourizeSettings inForce = model.document().screenshotColour;
    ColourizeSettings settings;
    settings.greyMode = round_ % 2 == 1;
    settings.intensity = (round_ * 97 + (ok ? 300 : 100)) % 512;
    const auto move = [&](int id, int position) {
      HWND trackbar = GetDlgItem(dialog, id);
      return SendAndWait(trackbar, TBM_SETPOS, TRUE, position) &&
             SendAndWait(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position),
                         reinterpret_cast<LPARAM>(trackbar));
    };
    bool answered = true;
    // The dialog opens with the settings in force, grey mode included.
    if (IsChecked(dialog, IDC_COLOURIZE_GREY) != settings.greyMode) answered = ClickButton(dialog, IDC_COLOURIZE_GREY);
    if (!settings.greyMode) {
      settings.redLevel = (round_ * 41 + 60) % 256;
      settings.greenLevel = (round_ * 67 + 120) % 256;
      settings.blueLevel = (round_ * 23 + 200) % 256;
      answered = answered && move(IDC_COLOURIZE_RED, settings.redLevel) &&
                 move(IDC_COLOURIZE_GREEN, settings.greenLevel) && move(IDC_COLOURIZE_BLUE, settings.blueLevel);
    }
    if (!Step(answered && move(IDC_COLOURIZE_INTENSITY, settings.intensity), "colourize",
              "the dialog's controls do not answer"))
      return false;
    Press(dialog, ok ? IDOK : IDCANCEL);
    if (!Step(WaitForWindowGone(dialog, kDefaultWaitMs), "colourize", "it does not close")) return false;
    if (ok)
      ColourizeScreenshot(model.document(), settings);
    else
      ColourizeScreenshot(model.document(), inForce);
    ++tally_.colourizes;
  }
  return true;
}

// The file dialog, dialog 107, the export.
bool SoakRun::ExportThroughDialog(const wchar_t* shp, PaletteMode mode, int colours) {
  if (!ChooseSaveFile(IDM_SAVE_SHP, File(shp), "shp_file_dialog")) return false;
  HWND dialog = Dialog(texts::kShpSaveCaption);
  if (!Step(dialog != nullptr, "shp_export", "dialog 107 did not open")) return false;
  const std::wstring palette = File(L"soak.pal"), count = std::to_wstring(colours);
  const bool set =
      ClickButton(dialog, mode == NewPalette ? IDC_PALETTE_NEW : IDC_PALETTE_EXISTING) &&
      SendAndWait(GetDlgItem(dialog, IDC_PALETTE_NAME), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(palette.c_str())) &&
      SendAndWait(GetDlgItem(dialog, IDC_COLOUR_COUNT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(count.c_str()));
  if (!Step(set && IsWindowEnabled(GetDlgItem(dialog, IDOK)), "shp_export", "the settings are not taken")) return false;
  Press(dialog, IDOK);
  if (!ClosesWithoutError(dialog, "shp_export", kSoakExportTimeoutMs)) return false;
  ++tally_.exports;
  return true;
}

bool SoakRun::SaveImage() {
  if (!ChooseSaveFile(IDM_SAVE_IMAGE, File(L"soak.png"), "save_image")) return false;
  if (!SavedWithoutError("save_image")) return false;
  ++tally_.saves;
  return true;
}

bool SoakRun::About() {
  session.PostCommand(IDM_ABOUT);
  HWND dialog = Dialog(texts::kAboutCaption);
  if (!Step(dialog != nullptr, "about", "the dialog did not open")) return false;
  Press(dialog, IDCANCEL);
  if (!Step(WaitForWindowGone(dialog, kDefaultWaitMs), "about", "Close does not close it")) return false;
  ++tally_.abouts;
  return true;
}
