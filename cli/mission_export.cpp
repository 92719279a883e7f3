#include "mission_export.h"

#include <cstdio>
#include <filesystem>

#include "ls640_picture.h"
#include "mission_file.h"
#include "mix_name_id.h"
#include "path_names.h"
#include "shp_export.h"

namespace fs = std::filesystem;

namespace {

bool EndsWithShp(const std::string& path) {
  const std::string name = UpperCaseName(FileNameOfPath(path));
  return name.size() > 4 && name.compare(name.size() - 4, 4, ".SHP") == 0;
}

}  // namespace

bool MissionExport::Parse(const Arguments& args, bool defaults, const ExportShape& shape, std::string& error) {
  if (const std::string* map = args.Option("--mission")) map_ = *map;
  if (const std::string* file = args.Option("--mission-file")) missionFile_ = *file;
  if (const std::string* ls640 = args.Option("--ls640")) ls640_ = *ls640;
  defaults_ = defaults;
  loose_ = shape.loose;
  if (map_ && defaults_) {
    error = "--mission MAP sets the map's section and --defaults the [Defaults] section: give one of them";
    return false;
  }
  if (missionFile_ && !map_ && !defaults_) {
    error = "--mission-file needs --mission MAP (the scenario's map file name, such as ALL01UMD.MAP) or --defaults";
    return false;
  }
  if (shape.batch && (map_ || defaults_ || ls640_)) {
    error = std::string(map_        ? "--mission"
                        : defaults_ ? "--defaults"
                                    : "--ls640") +
            " names one load screen: export one scene with it";
    return false;
  }
  if (map_) {
    if (error = MapNameProblem(*map_); !error.empty()) return false;
  }
  if (ls640_) {
    if (!EndsWithShp(*ls640_)) {
      error = "--ls640 names the 640 x 400 picture's SHP file: '" + *ls640_ + "' does not end in .shp";
      return false;
    }
    if (!shape.loose && FileNameOfPath(*ls640_) != *ls640_) {
      error =
          "without -o, --ls640 names the picture's member of the archive: give a name without a folder, such as "
          "SOV016.SHP";
      return false;
    }
  }
  makesLs640_ = shape.mix || map_ || defaults_ || ls640_;
  return true;
}

std::string MissionExport::Ls640PathFor(const std::string& shpPath) const {
  if (ls640_ && loose_) return *ls640_;
  const std::string name = ls640_ ? *ls640_ : Ls640NameFor(FileNameOfPath(shpPath));
  return (fs::path(shpPath).parent_path() / name).string();
}

std::optional<MissionKeys> MissionExport::Keys(const LoadScreenNames& names) const {
  if (map_) return MapLoadScreenKeys(*map_, names);
  if (defaults_) return DefaultLoadScreenKeys(names);
  return std::nullopt;
}

bool MissionExport::Check(const LoadScreenNames& names, std::string& error) const {
  const std::optional<MissionKeys> keys = Keys(names);
  if (!keys) return true;
  if (error = MissionKeysProblem(*keys); !error.empty()) return false;
  return !missionFile_ || CheckMissionFile(*missionFile_, *keys, error);
}

bool MissionExport::Finish(const LoadScreenNames& names, std::string& error) const {
  const std::optional<MissionKeys> keys = Keys(names);
  if (!keys) return true;
  for (const MissionEntry& entry : keys->entries)
    WarnUnlessEightDotThree(entry.value, "choose the names with -o, --palette and --ls640");
  std::fputs(FormatMissionLines(*keys).c_str(), stdout);
  if (!missionFile_) return true;
  MissionFileOutcome outcome;
  if (!SetKeysInMissionFile(*missionFile_, *keys, outcome, error)) return false;
  std::printf("%s: %s\n", missionFile_->c_str(), DescribeMissionFileOutcome(outcome, keys->section).c_str());
  return true;
}

LoadScreenNames GameNames(const std::string& ls640Path, const std::string& shpPath, const std::string& palettePath) {
  return {UpperCaseName(FileNameOfPath(ls640Path)), UpperCaseName(FileNameOfPath(shpPath)),
          UpperCaseName(FileNameOfPath(palettePath))};
}

std::string MissionFileClash(const MissionExport& game, const std::vector<std::string>& loose,
                             const std::string* mixPath) {
  const std::string* file = game.MissionFile();
  if (!file) return {};
  std::vector<std::string> outputs = loose;
  if (mixPath) outputs.push_back(*mixPath);
  for (const std::string& output : outputs)
    if (SameFilePath(*file, output))
      return *file + ": the mission file is named as another output too (" + output + "); nothing was written";
  return {};
}

void MissionExport::AddPlannedMembers(const std::vector<std::string>& scenes, const std::string* out,
                                      std::vector<PlannedMixMember>& members) const {
  for (const std::string& scene : scenes) {
    const std::string shp = out ? *out : (fs::path(scene).stem().string() + ".shp");
    members.push_back(
        {FileNameOfPath(Ls640PathFor(shp)), "the 640 x 400 picture of " + scene,
         ls640_ ? "choose another name with --ls640" : "it is named after the SHP: choose its name with --ls640"});
  }
}

bool AddLs640(MixExport& mix, const std::string& path, std::string& error) {
  return path.empty() || mix.Add(FileNameOfPath(path), path, error);
}
