// The into-the-game side of `vantorel export`, beside the MIX: the 640 x 400 picture that
// every export for the game makes, and the mission file's keys, printed or set in a file.
//
//   --mission MAP        the scenario's map file name (ALL01UMD.MAP): its section's keys
//   --defaults           the engine extensions' [Defaults] keys instead
//   --mission-file FILE  sets the keys in FILE in place instead of only printing them
//   --ls640 FILE.shp     where the 640 picture goes (its member name without loose files)
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "command_line.h"
#include "mission_keys.h"
#include "mix_export.h"

// How the export writes its pictures, for the option checks.
struct ExportShape {
  bool batch = false;  // several scenes, or --out-dir
  bool loose = false;  // -o or --out-dir: files besides any archive
  bool mix = false;    // --mix
};

class MissionExport {
 public:
  // Reads the options above. False with a line for a usage error.
  bool Parse(const Arguments& args, bool defaults, const ExportShape& shape, std::string& error);

  // Whether the export makes the 640 picture: for the game (--mix, --mission, --defaults)
  // or asked for by --ls640.
  bool MakesLs640() const { return makesLs640_; }
  // Where the 640 picture of the SHP at `shpPath` goes: --ls640's file (or, with no loose
  // files, that name in the SHP's folder), otherwise Ls640NameFor beside the SHP.
  std::string Ls640PathFor(const std::string& shpPath) const;
  // The mission file, when one is set, for the checks that no output is written over an
  // input or over another output.
  const std::string* MissionFile() const { return missionFile_ ? &*missionFile_ : nullptr; }
  // Adds each scene's 640 picture to the members the archive will get (for the checks and
  // the 8.3 warning before anything is written); `out` is -o.
  void AddPlannedMembers(const std::vector<std::string>& scenes, const std::string* out,
                         std::vector<PlannedMixMember>& members) const;

  // Before anything is written: the names as the keys hold them and the mission file.
  // False with a line naming what is wrong.
  bool Check(const LoadScreenNames& names, std::string& error) const;
  // After the export and the MIX: prints the keys' lines (and warns about names longer than
  // the games' 8.3 form), and sets them in the mission file. False with a line.
  bool Finish(const LoadScreenNames& names, std::string& error) const;

 private:
  std::optional<MissionKeys> Keys(const LoadScreenNames& names) const;
  std::optional<std::string> map_;
  bool defaults_ = false;
  std::optional<std::string> missionFile_;
  std::optional<std::string> ls640_;
  bool loose_ = false;
  bool makesLs640_ = false;
};

// The names the game loads for files written at these paths: their base names in upper
// case, as MIX members and the mission file name them.
LoadScreenNames GameNames(const std::string& ls640Path, const std::string& shpPath, const std::string& palettePath);

// The mission file named as another output of the run as well (the MIX, a picture, the
// palette), as one line; or empty.
std::string MissionFileClash(const MissionExport& game, const std::vector<std::string>& loose,
                             const std::string* mixPath);

// Adds the 640 picture written at `path` to the archive under its file name; nothing for an
// empty path.
bool AddLs640(MixExport& mix, const std::string& path, std::string& error);
