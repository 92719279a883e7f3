#include "output_commands.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "image_file_dialogs_win32.h"
#include "memory_image.h"
#include "mix_choice_store.h"
#include "mix_name_id.h"
#include "mix_packing.h"
#include "output_file_dialogs.h"
#include "path_limits.h"
#include "path_names.h"
#include "paths.h"
#include "renderer.h"
#include "shp_save_dialog.h"

namespace {

TextLine SavedLine(const std::string& first, const std::string& second = {}) {
  if (second.empty()) return {{Text::SavedFile, {{"file", FileNameOfPath(first)}}}};
  return {{Text::SavedFiles, {{"first", FileNameOfPath(first)}, {"second", FileNameOfPath(second)}}}};
}

// "Saved a.shp and a.pal (256 colours)", and how many pixels landed on palette entry 0,
// which the games draw transparent.
TextLine ExportedLine(const ShpExportSettings& settings, const ShpExportResult& result) {
  TextLine line;
  if (settings.paletteMode == NewPalette) {
    line = SavedLine(settings.exportPath, settings.palettePath);
    line.push_back({Text::SavedColours, {{"count", std::to_string(std::clamp(settings.colourCount, 1, 256))}}});
  } else {
    line = SavedLine(settings.exportPath);
  }
  if (!Index0Note(result).empty())
    line.push_back({result.index0Pixels == 1 ? Text::Index0Pixel : Text::Index0Pixels,
                    {{"count", std::to_string(result.index0Pixels)}}});
  return line;
}

Prompt ExportFailure(const ShpExportResult& result) {
  // The fixed message first, then which file and why, on lines of their own.
  Prompt prompt = Report({{Text::Verbatim, {{"text", result.message}}}}, PromptIcon::Error, PromptCaption::Error);
  if (!result.file.empty()) prompt.text.push_back({Text::FileLine, {{"file", result.file}}});
  if (!result.reason.empty())
    prompt.text.push_back({result.file.empty() ? Text::ReasonParagraph : Text::ReasonAfterFile, {{"reason", result.reason}}});
  prompt.ownCaption = result.caption;
  return prompt;
}

Prompt MixError(const std::string& reason) {
  return Report({{Text::MixError, {{"reason", reason}}}}, PromptIcon::Error, PromptCaption::Error);
}

// The MIX archive an export packs into, when the form asks for one: the name checked and
// an existing archive read before anything is written, so the user can mend it first.
bool CheckMixArchive(const ShpForm& form, Prompts& prompts, std::string& archive) {
  archive.clear();
  if (!form.mix.pack) return true;
  if (form.mix.file.empty()) {
    prompts.Tell(Report({{Text::MixNameMissing}}, PromptIcon::Error, PromptCaption::Error));
    return false;
  }
  const std::string path = MixArchivePath(form.mix.file, form.shpPath);
  if (PathExists(path)) {
    std::vector<std::uint8_t> bytes;
    MixIndex index;
    std::string error;
    if (!ReadMixFile(path, bytes, index, error)) {
      prompts.Tell(MixError(error));
      return false;
    }
  }
  archive = path;
  return true;
}

// After a successful export: the SHP and its palette into the archive, made or added to.
void PackIntoMix(const std::string& archive, const ShpExportSettings& settings, StatusLine& status, Prompts& prompts) {
  std::vector<MixInput> inputs(2);
  std::string error;
  const bool exists = PathExists(archive);
  if (!ReadMixInput(settings.exportPath, inputs[0], error) || !ReadMixInput(settings.palettePath, inputs[1], error) ||
      !PackMix(archive, exists ? archive : "", inputs, error)) {
    prompts.Tell(MixError(error));
    return;
  }
  status.ShowReport({{Text::Packed,
                      {{"shp", UpperCaseName(inputs[0].name)},
                       {"pal", UpperCaseName(inputs[1].name)},
                       {"archive", FileNameOfPath(archive)}}}});
}

}  // namespace

void SaveShp(CommandContext& context) {
  EditingSession& session = context.session;
  RememberedChoices& choices = session.choices();
  std::string shpPath = ProposedOutputPath(choices.shpFile, session.scenePath(), kShpExtension);
  if (!ChooseShpFile(context.frame.Window(), shpPath)) return;
  choices.shpFile = {shpPath, session.scenePath()};
  std::string archive;  // the MIX the coming export packs into; empty for none
  ShpSaveActions actions;
  actions.prepare = [&](const ShpForm& form, Prompts& prompts) {
    RememberShpForm(form, true, choices.shp);
    StoreMixChoice(form.mix);
    return CheckMixArchive(form, prompts, archive);
  };
  actions.run = [&](const ShpForm& form, const std::function<void()>& step, Prompts& prompts) {
    const ShpExportSettings settings = ShpExportSettingsOf(form);
    // Confirmed with OK: the preview shows exports made with these from now on.
    choices.confirmedShp = settings;
    choices.confirmedShp.exportPath.clear();
    int steps = 0;
    const ShpExportResult result = ExportShp(session.document(), settings, [&] {
      ++steps;
      step();
    });
    if (!result.success && steps == 0 && result.error == ShpExportError::kOutOfMemory) {
      // The picture itself could not be made (the first step is its rendering): nothing
      // was written.
      prompts.Tell(Report({{Text::OutOfMemory}}, PromptIcon::Error, PromptCaption::Error));
      return false;
    }
    if (!result.success) {
      prompts.Tell(ExportFailure(result));
      return true;
    }
    context.status.ShowReport(ExportedLine(settings, result));
    // The packing note, when the archive is wanted, replaces the saved message.
    if (!archive.empty()) PackIntoMix(archive, settings, context.status, prompts);
    return true;
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
