#include "output_commands.h"

#include <string>

#include "image_file_dialogs_win32.h"
#include "memory_image.h"
#include "mix_choice_store.h"
#include "output_file_dialogs.h"
#include "path_limits.h"
#include "path_names.h"
#include "paths.h"
#include "renderer.h"
#include "shp_export_run.h"
#include "shp_save_dialog.h"

namespace {

TextLine SavedLine(const std::string& file) { return {{Text::SavedFile, {{"file", FileNameOfPath(file)}}}}; }

}  // namespace

void SaveShp(CommandContext& context) {
  EditingSession& session = context.session;
  RememberedChoices& choices = session.choices();
  std::string shpPath = ProposedOutputPath(choices.shpFile, session.scenePath(), kShpExtension);
  if (!ChooseShpFile(context.frame.Window(), shpPath)) return;
  choices.shpFile = {shpPath, session.scenePath()};
  ShpExportPlan plan;
  ShpSaveActions actions;
  actions.prepare = [&](const ShpForm& form, Prompts& prompts) {
    RememberShpForm(form, true, choices.shp);
    StoreMixChoice(form.mix);
    return PlanShpExport(form, plan, prompts);
  };
  actions.run = [&](const ShpForm&, const std::function<void()>& step, Prompts& prompts) {
    // Confirmed with OK: the preview shows exports made with these from now on.
    choices.confirmedShp = plan.settings;
    choices.confirmedShp.exportPath.clear();
    choices.confirmedShp.ls640Path.clear();
    return RunShpExport(session.document(), plan, step, prompts, context.status);
  };
  const ShpForm closed =
      ShowShpSaveDialog(context.frame.Window(), OpenShpForm(shpPath, choices.shp, StoredMixChoice()), actions);
  RememberShpForm(closed, false, choices.shp);
  // The settings may have changed what the export preview shows.
  context.view.Repaint();
}

void SaveImage(CommandContext& context) {
  MemoryImage picture;
  if (!picture.Create(CanvasWidth, CanvasHeight)) {
    context.prompts.Tell(Report({{Text::OutOfMemory}}, PromptIcon::Error, PromptCaption::Error));
    return;
  }
  RenderLoadScreen(context.session.document(), &picture);
  EditingSession& session = context.session;
  ChosenOutput& last = session.choices().imageFile;
  // The type last chosen stays, also for a name typed without an extension.
  const std::string extension = ImageExtensionOf(last.path);
  const std::string proposed = ProposedOutputPath(last, session.scenePath(), extension);
  char path[kPathBufferSize] = {};
  // A name that does not fit is not offered; the dialog then starts empty.
  if (proposed.size() < sizeof path) proposed.copy(path, sizeof path - 1);
  std::string reason;
  const ImageSaveOutcome outcome =
      ChooseImageToSave(context.frame.Window(), path, extension.substr(1).c_str(), picture, &reason);
  if (outcome == ImageSaveOutcome::Cancelled) return;
  last = {path, session.scenePath()};
  if (outcome == ImageSaveOutcome::Saved) context.status.ShowReport(SavedLine(last.path));
  if (outcome != ImageSaveOutcome::Failed) return;
  // The fixed message first, then the file and why it could not be written.
  TextLine text{{Text::ImageSaveFailed}, {Text::FileLine, {{"file", last.path}}}};
  if (!reason.empty()) text.push_back({Text::ReasonAfterFile, {{"reason", reason}}});
  context.prompts.Tell(Report(text, PromptIcon::Error, PromptCaption::Error));
}
