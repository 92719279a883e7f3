#include "command_table.h"

#include "edit_commands.h"
#include "editor_commands.h"
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
    {IDM_ADD_ITEM, AddItem},
    {IDM_SELECT_ITEM, SelectItem},
    {IDM_COPY_TO_CLIPBOARD, CopyToClipboard},
    {IDM_PASTE_SCREENSHOT, PasteScreenshot},
    {IDM_STATUS_BAR, ToggleStatusBar},
    {IDM_LANGUAGE, SwitchLanguage},
    {IDM_LOAD_SCREEN_SETTINGS, LoadScreenSettings},
    {IDM_SCREENSHOT_SETTINGS, ScreenshotSettings},
    {IDM_HELP, ShowHelp},
    {IDM_ABOUT, ShowAbout},
};

}  // namespace

bool RunCommand(CommandContext& context, int id) {
  // The session's and the view's own commands end a run of key moves (and a drag, should a
  // shortcut arrive during one) first, and so the group is over for the others too.
  if (RunEditorCommand(context.session, context.view, id)) return true;
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
