#include "tools_commands.h"

#include <string>
#include <utility>

#include "colourize.h"
#include "colourize_dialog.h"
#include "content_commands.h"
#include "image_file_dialogs_win32.h"
#include "image_files.h"
#include "load_screen_settings_dialog.h"
#include "message_box_prompts.h"
#include "path_limits.h"
#include "screenshot_choice.h"
#include "undo_group.h"

namespace {

LoadScreenSettingsState SettingsState(const LoadScreenDocument& document) {
  LoadScreenSettingsState state;
  state.side = document.side;
  state.cameoCount = document.cameoCount;
  for (int slot = 0; slot < 3; ++slot) state.cameoFiles[slot] = document.cameoFiles[slot];
  state.screenshotName = document.screenshotName;
  return state;
}

// The catalogue's cameo into the slot; a file that cannot be loaded or is not 76 x 60
// empties it. A missing file gets the long-standing message; one that is there but does
// not load, the loader's reason with the file.
CameoOutcome SetCatalogueCameo(LoadScreenDocument& document, int slot, const std::string& fileName) {
  const std::string path = TemplatePath(document.appDir, fileName);
  MemoryImage cameo;
  std::string reason;
  const bool loaded = !path.empty() && LoadImageFile(path.c_str(), cameo, reason);
  if (loaded && SetCameo(document, slot, std::move(cameo), fileName)) return {};
  ClearCameo(document, slot);
  if (loaded) return {false, Report({{Text::CameoWrongSize}}, PromptIcon::Error)};
  if (!path.empty() && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
    return {false, Report(PictureUnreadableMessage(path, reason), PromptIcon::Warning)};
  return {false, Report({{Text::CameoMissing}}, PromptIcon::Warning)};
}

// The screenshot chooser: the chosen picture is taken as a dropped one is, the questions
// owned by the settings dialog; a file that does not load is reported with the loader's
// reason. It opens in the folder of the last screenshot chosen.
bool ChooseScreenshot(EditingSession& session, StatusLine& status, HWND owner) {
  char chosenPath[kPathBufferSize] = {};
  session.choices().screenshotFile.copy(chosenPath, sizeof chosenPath - 1);
  MemoryImage chosen;
  std::string reason;
  const ImageOpenOutcome outcome = ChooseImageToOpen(owner, chosenPath, chosen, reason);
  session.choices().screenshotFile = chosenPath;
  MessageBoxPrompts prompts(owner);
  if (outcome == ImageOpenOutcome::Unreadable) prompts.Tell(Report(PictureUnreadableMessage(chosenPath, reason)));
  if (outcome != ImageOpenOutcome::Loaded) return false;
  return TakeScreenshot(session, prompts, status, owner, std::move(chosen), chosenPath);
}

}  // namespace

void LoadScreenSettings(CommandContext& context) {
  EditingSession& session = context.session;
  LoadScreenDocument& document = session.document();
  LoadScreenSettingsForm form;
  const std::string settingsPath = document.appDir + "Settings.ini";
  if (!LoadCatalogue(settingsPath.c_str(), kCameosListSection, CatalogueKind::Cameos, form.cameos, form.catalogueError))
    form.cameos.clear();
  form.picture = context.frame.PictureOnScreen();
  LoadScreenSettingsActions actions;
  actions.state = [&] { return SettingsState(document); };
  // Also for the side or count already in force: nothing is reloaded, the view is painted again.
  actions.setSide = [&](int side) {
    const bool taken = document.SetSide(side);
    context.view.Repaint();
    return taken;
  };
  actions.setCameoCount = [&](int count) {
    const bool taken = document.SetCameoCount(count);
    context.view.Repaint();
    return taken;
  };
  actions.setCameo = [&](int slot, const std::string& fileName) { return SetCatalogueCameo(document, slot, fileName); };
  actions.chooseScreenshot = [&](HWND owner) { return ChooseScreenshot(session, context.status, owner); };
  ShowLoadScreenSettingsDialog(context.frame.Window(), form, actions);
}

void ScreenshotSettings(CommandContext& context) {
  LoadScreenDocument& document = context.session.document();
  if (!document.screenshot.IsValid()) {
    context.prompts.Tell(Report({{Text::NoScreenshot}}, PromptIcon::Warning));
    return;
  }
  // Every screenshot comes with its uncoloured copy; should one ever lack it, the picture
  // as it is becomes the uncoloured one.
  if (!document.screenshotBackup.IsValid() && !BackupScreenshot(document)) {
    context.prompts.Tell(Report({{Text::OutOfMemory}}));
    return;
  }
  const ColourizeSettings inForce = document.screenshotColour;
  {
    UndoGroup group(context.session.history(), document);
    const auto apply = [&](const ColourizeSettings& settings) -> const Image* {
      return ColourizeScreenshot(document, settings) ? &document.screenshot : nullptr;
    };
    if (!ShowColourizeDialog(context.frame.Window(), inForce, context.frame.PictureOnScreen(), apply))
      ColourizeScreenshot(document, inForce);
  }
  context.view.Repaint();
}
