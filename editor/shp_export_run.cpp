#include "shp_export_run.h"

#include <algorithm>
#include <vector>

#include "mix_name_id.h"
#include "mix_packing.h"
#include "path_names.h"

namespace {

Prompt Refusal(Text text, const std::string& reason = {}) {
  Message message(text);
  if (!reason.empty()) message.values.emplace_back("reason", reason);
  return Report({message}, PromptIcon::Error, PromptCaption::Error);
}

// Tells why OK did not start the export; false, for the check that failed to return.
bool Refuse(Prompts& prompts, Text text, const std::string& reason = {}) {
  prompts.Tell(Refusal(text, reason));
  return false;
}

Prompt ExportFailure(const ShpExportResult& result) {
  // The fixed message first, then which file and why, on lines of their own.
  Prompt prompt = Report({{Text::Verbatim, {{"text", result.message}}}}, PromptIcon::Error, PromptCaption::Error);
  if (!result.file.empty()) prompt.text.push_back({Text::FileLine, {{"file", result.file}}});
  if (!result.reason.empty())
    prompt.text.push_back(
        {result.file.empty() ? Text::ReasonParagraph : Text::ReasonAfterFile, {{"reason", result.reason}}});
  prompt.ownCaption = result.caption;
  return prompt;
}

// The files the archive gets, in the order they are packed.
std::vector<std::string> MemberPaths(const ShpExportSettings& settings) {
  std::vector<std::string> paths{settings.exportPath, settings.palettePath};
  if (!settings.ls640Path.empty()) paths.push_back(settings.ls640Path);
  return paths;
}

bool PlanMission(const ShpForm& form, ShpExportPlan& plan, Prompts& prompts) {
  const MixChoice& mix = form.mix;
  if (mix.map.empty() && mix.missionFile.empty()) return true;
  if (mix.map.empty()) return Refuse(prompts, Text::MissionMapMissing);
  if (mix.missionFile.empty()) return Refuse(prompts, Text::MissionFileMissing);
  if (const std::string problem = MapNameProblem(mix.map); !problem.empty())
    return Refuse(prompts, Text::MapNameError, problem);
  const ShpExportSettings& settings = plan.settings;
  const LoadScreenNames names{UpperCaseName(FileNameOfPath(settings.ls640Path)),
                              UpperCaseName(FileNameOfPath(settings.exportPath)),
                              UpperCaseName(FileNameOfPath(settings.palettePath))};
  plan.keys = MapLoadScreenKeys(mix.map, names);
  plan.missionFile = BesideShp(mix.missionFile, form.shpPath);
  std::vector<std::string> outputs = MemberPaths(settings);
  outputs.push_back(plan.archive);
  for (const std::string& output : outputs)
    if (SameFilePath(plan.missionFile, output))
      return Refuse(prompts, Text::MissionFileError,
                    plan.missionFile + ": the mission file is named as another output too (" + output + ")");
  std::string error;
  if (!CheckMissionFile(plan.missionFile, plan.keys, error)) return Refuse(prompts, Text::MissionFileError, error);
  return true;
}

// The members go in under their file names; `packed` gets them, upper case, as the
// archive's index names them.
bool PackMembers(const ShpExportSettings& settings, const std::string& archive, std::string& packed,
                 std::string& error) {
  std::vector<MixInput> inputs;
  for (const std::string& path : MemberPaths(settings)) {
    inputs.emplace_back();
    if (!ReadMixInput(path, inputs.back(), error)) return false;
    packed += (packed.empty() ? "" : ", ") + UpperCaseName(inputs.back().name);
  }
  return PackMix(archive, "", inputs, error);
}

}  // namespace

bool PlanShpExport(const ShpForm& form, ShpExportPlan& plan, Prompts& prompts) {
  plan = {};
  plan.settings = ShpExportSettingsOf(form);
  if (!form.mix.pack) return true;
  if (form.mix.file.empty()) return Refuse(prompts, Text::MixNameMissing);
  plan.archive = MixArchivePath(form.mix.file, form.shpPath);
  if (const std::string problem = MixTargetProblem(plan.archive); !problem.empty())
    return Refuse(prompts, Text::MixError, problem);
  std::vector<MixMemberName> members;
  for (const std::string& path : MemberPaths(plan.settings)) members.push_back({FileNameOfPath(path), path});
  if (const std::string problem = MixNamesProblem(members); !problem.empty())
    return Refuse(prompts, Text::MixError, problem);
  return PlanMission(form, plan, prompts);
}

TextLine ExportReport(const ShpExportPlan& plan, const ShpExportResult& result, const std::string& packed,
                      const MissionFileOutcome* mission) {
  const ShpExportSettings& settings = plan.settings;
  TextLine line;
  if (settings.paletteMode == NewPalette) {
    line = {{Text::SavedFiles,
             {{"first", FileNameOfPath(settings.exportPath)}, {"second", FileNameOfPath(settings.palettePath)}}},
            {Text::SavedColours, {{"count", std::to_string(std::clamp(settings.colourCount, 1, 256))}}}};
  } else {
    line = {{Text::SavedFile, {{"file", FileNameOfPath(settings.exportPath)}}}};
  }
  const bool index0 = !Index0Note(result).empty();
  if (index0 || !packed.empty()) line.emplace_back(Text::SentenceEnd);
  if (index0)
    line.push_back({result.index0Pixels == 1 ? Text::Index0Pixel : Text::Index0Pixels,
                    {{"count", std::to_string(result.index0Pixels)}}});
  if (packed.empty()) return line;
  line.push_back({Text::Packed, {{"members", packed}, {"archive", FileNameOfPath(plan.archive)}}});
  if (!mission) return line;
  const Text said = mission->created                                                      ? Text::MissionFileMade
                    : mission->sectionAdded || mission->keysChanged || mission->keysAdded ? Text::MissionKeysSet
                                                                                          : Text::MissionKeysKept;
  line.push_back({said, {{"file", FileNameOfPath(plan.missionFile)}, {"section", plan.keys.section}}});
  return line;
}

bool RunShpExport(const LoadScreenDocument& document, const ShpExportPlan& plan, const ExportProgress& progress,
                  Prompts& prompts, StatusLine& status) {
  int steps = 0;
  const ShpExportResult result = ExportShp(document, plan.settings, [&] {
    ++steps;
    if (progress) progress();
  });
  if (!result.success && steps == 0 && result.error == ShpExportError::kOutOfMemory) {
    // The picture itself could not be made (the first step is its rendering): nothing was
    // written.
    prompts.Tell(Report({{Text::OutOfMemory}}, PromptIcon::Error, PromptCaption::Error));
    return false;
  }
  if (!result.success) {
    prompts.Tell(ExportFailure(result));
    return true;
  }
  std::string packed, error;
  if (!plan.archive.empty() && !PackMembers(plan.settings, plan.archive, packed, error)) {
    status.ShowReport(ExportReport(plan, result, {}, nullptr));
    prompts.Tell(Refusal(Text::MixError, error));
    return true;
  }
  MissionFileOutcome outcome;
  if (!plan.missionFile.empty() && !SetKeysInMissionFile(plan.missionFile, plan.keys, outcome, error)) {
    status.ShowReport(ExportReport(plan, result, packed, nullptr));
    prompts.Tell(Refusal(Text::MissionFileError, error));
    return true;
  }
  status.ShowReport(ExportReport(plan, result, packed, plan.missionFile.empty() ? nullptr : &outcome));
  return true;
}
