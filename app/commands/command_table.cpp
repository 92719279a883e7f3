#include "command_table.h"

#include "edit_commands.h"
#include "file_commands.h"
#include "help_commands.h"
#include "output_commands.h"
#include "resource.h"
#include "tools_commands.h"
#include "view_commands.h"

namespace {

struct MenuCommand {
  int id;
  void (*run)(CommandContext&);
};

constexpr MenuCommand kMenuCommands[] = {
    {IDM_NEW_SCENE, NewScene},
    {IDM_OPEN_SCENE, OpenScene},
    {IDM_SAVE_SCENE, SaveScene},
    {IDM_SAVE_SCENE_AS, SaveSceneAs},
    {IDM_SAVE_SHP, SaveShp},
    {IDM_SAVE_IMAGE, SaveImage},
    {IDM_EXIT, Exit},
    {IDM_UNDO, Undo},
    {IDM_REDO, Redo},
    {IDM_ADD_ITEM, AddItem},
    {IDM_SELECT_ITEM, SelectItem},
    {IDM_DELETE_ITEM, DeleteItem},
    {IDM_CANCEL_ITEM, CancelItem},
    {IDM_COPY_TO_CLIPBOARD, CopyToClipboard},
    {IDM_PASTE_SCREENSHOT, PasteScreenshot},
    {IDM_VIEW_TOP, ToggleUpperLayer},
    {IDM_VIEW_BOTTOM, ToggleLowerLayer},
    {IDM_STATUS_BAR, ToggleStatusBar},
    {IDM_ZOOM_IN, ZoomIn},
    {IDM_ZOOM_OUT, ZoomOut},
    {IDM_ACTUAL_SIZE, ActualSize},
    {IDM_PREVIEW_AS_EXPORTED, TogglePreview},
    {IDM_LANGUAGE, SwitchLanguage},
    {IDM_LOAD_SCREEN_SETTINGS, LoadScreenSettings},
    {IDM_SCREENSHOT_SETTINGS, ScreenshotSettings},
    {IDM_ALIGN_LARGE_MAP, AlignMagnifiedMap},
    {IDM_MODE_SMALL_MAP, ModeSmallMap},
    {IDM_MODE_LARGE_MAP, ModeLargeMap},
    {IDM_MODE_TARGET_BOX, ModeTargetBox},
    {IDM_HELP, ShowHelp},
    {IDM_ABOUT, ShowAbout},
};

}  // namespace

bool RunCommand(CommandContext& context, int id) {
  // A command ends a run of key moves (and a drag, should a shortcut arrive during one).
  context.session.EndGroup();
  if (id >= IDM_RECENT_FILE_FIRST && id <= IDM_RECENT_FILE_LAST) {
    OpenRecentScene(context, id - IDM_RECENT_FILE_FIRST);
    return true;
  }
  for (const MenuCommand& command : kMenuCommands) {
    if (command.id == id) {
      command.run(context);
      return true;
    }
  }
  return false;
}
