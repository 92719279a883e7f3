#include "commands.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "about_dialog.h"
#include "add_item_dialog.h"
#include "app_state.h"
#include "clipboard.h"
#include "colourize.h"
#include "colourize_dialog.h"
#include "content_commands.h"
#include "export_preview_view.h"
#include "file_commands.h"
#include "history_commands.h"
#include "language_command.h"
#include "load_screen_settings_dialog.h"
#include "main_window.h"
#include "map_alignment.h"
#include "map_view.h"
#include "marker_commands.h"
#include "paste_screenshot_command.h"
#include "new_scene_command.h"
#include "recent_files_menu.h"
#include "resource.h"
#include "save_image_command.h"
#include "select_item_dialog.h"
#include "shp_save_dialog.h"
#include "ui_texts.h"
#include "undo_group.h"
#include "zoom_commands.h"

namespace {

void Exit() { SendMessageA(App().mainWindow, WM_CLOSE, 0, 0); }

void DeleteItem() { DeleteSelectedMarker(Document()); }
void CancelItem() { ClearSelection(Document()); }

void ToggleUpperLayer() {
  LoadScreenDocument& document = Document();
  document.SetLayers(!document.viewTop, document.viewBottom);
}

void ToggleLowerLayer() {
  LoadScreenDocument& document = Document();
  document.SetLayers(document.viewTop, !document.viewBottom);
}

// The colourize dialog opens with the colour settings in force and recomputes the
// screenshot from its uncoloured copy; anything but OK puts the settings in force back.
// Without a screenshot there is nothing to colourize. Everything the dialog does undoes as
// one step, and a cancelled dialog leaves none.
void ScreenshotSettings() {
  LoadScreenDocument& document = Document();
  if (!document.screenshot.IsValid()) {
    MessageBoxA(App().mainWindow, Text(UiText::NoScreenshot), kProgramCaption, MB_ICONWARNING);
    return;
  }
  // Every screenshot comes with its uncoloured copy; should one ever lack it, the picture
  // as it is becomes the uncoloured one.
  if (!document.screenshotBackup.IsValid() && !BackupScreenshot(document)) {
    MessageBoxA(App().mainWindow, kOutOfMemory, kProgramCaption, MB_ICONERROR);
    return;
  }
  const ColourizeSettings inForce = document.screenshotColour;
  {
    UndoGroup group(History(), document);
    if (ShowColourizeDialog() != 1) ColourizeScreenshot(document, inForce);
  }
  RepaintView();
}

void AlignMagnifiedMap() { AlignLargeMap(Document()); }

void ModeSmallMap() { SetEditMode(EditMode::SmallMap); }
void ModeLargeMap() { SetEditMode(EditMode::LargeMap); }
void ModeTargetBox() { SetEditMode(EditMode::TargetBox); }

// The help file lies beside the program, whatever the current directory is.
void ShowHelp() {
  const std::string path = Document().appDir + "VANTRL.CHM";
  ShellExecuteA(App().mainWindow, "open", path.c_str(), nullptr, nullptr, SW_SHOW);
}

template <int index>
void OpenRecent() { OpenRecentFile(index); }

struct MenuCommand {
  int id;
  void (*run)();
};

constexpr MenuCommand kMenuCommands[] = {
    {IDM_NEW_SCENE, NewSceneCommand},
    {IDM_OPEN_SCENE, OpenSceneCommand},
    {IDM_SAVE_SCENE, SaveSceneCommand},
    {IDM_SAVE_SCENE_AS, SaveSceneAsCommand},
    {IDM_SAVE_SHP, SaveShpCommand},
    {IDM_SAVE_IMAGE, SaveAsImageCommand},
    {IDM_EXIT, Exit},
    {IDM_UNDO, UndoCommand},
    {IDM_REDO, RedoCommand},
    {IDM_ADD_ITEM, OpenAddItemDialog},
    {IDM_SELECT_ITEM, OpenSelectItemDialog},
    {IDM_DELETE_ITEM, DeleteItem},
    {IDM_CANCEL_ITEM, CancelItem},
    {IDM_COPY_TO_CLIPBOARD, CopyToClipboard},
    {IDM_PASTE_SCREENSHOT, PasteScreenshotCommand},
    {IDM_VIEW_TOP, ToggleUpperLayer},
    {IDM_VIEW_BOTTOM, ToggleLowerLayer},
    {IDM_STATUS_BAR, ToggleStatusBar},
    {IDM_ZOOM_IN, ZoomInCommand},
    {IDM_ZOOM_OUT, ZoomOutCommand},
    {IDM_ACTUAL_SIZE, ActualSizeCommand},
    {IDM_RECENT_FILE_FIRST, OpenRecent<0>},
    {IDM_RECENT_FILE_FIRST + 1, OpenRecent<1>},
    {IDM_RECENT_FILE_FIRST + 2, OpenRecent<2>},
    {IDM_RECENT_FILE_FIRST + 3, OpenRecent<3>},
    {IDM_RECENT_FILE_FIRST + 4, OpenRecent<4>},
    {IDM_RECENT_FILE_FIRST + 5, OpenRecent<5>},
    {IDM_RECENT_FILE_FIRST + 6, OpenRecent<6>},
    {IDM_RECENT_FILE_LAST, OpenRecent<7>},
    {IDM_PREVIEW_AS_EXPORTED, ToggleExportPreview},
    {IDM_LANGUAGE, SwitchLanguageCommand},
    {IDM_LOAD_SCREEN_SETTINGS, OpenLoadScreenSettings},
    {IDM_SCREENSHOT_SETTINGS, ScreenshotSettings},
    {IDM_ALIGN_LARGE_MAP, AlignMagnifiedMap},
    {IDM_MODE_SMALL_MAP, ModeSmallMap},
    {IDM_MODE_LARGE_MAP, ModeLargeMap},
    {IDM_MODE_TARGET_BOX, ModeTargetBox},
    {IDM_HELP, ShowHelp},
    {IDM_ABOUT, OpenAboutDialog},
};

}  // namespace

void OpenLoadScreenSettings() {
  History().EndGroup(Document());
  OpenLoadScreenSettingsDialog();
}

void RunMenuCommand(int id) {
  // A command ends a run of key moves (and a drag, should a shortcut arrive during one).
  History().EndGroup(Document());
  for (const MenuCommand& command : kMenuCommands) {
    if (command.id == id) {
      command.run();
      return;
    }
  }
}
