// The SHP dialog's "Also put into a MIX file" group, remembered per user in a small INI
// file of its own beside the interface language's: the check box, the archive, and the
// scenario's map file with the mission file whose keys name the archive's members.
//
//   [Mix]
//   Pack=1
//   File=C:\mod\expandmymod01.mix
//   Map=ALL01UMD.MAP
//   MissionFile=C:\mod\missionmd.ini
//
// A missing file, a missing entry or a damaged file mean: not checked, no names.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

struct MixChoice {
  bool pack = false;
  std::string file;
  std::string map;          // the scenario's map file name; empty for no mission keys
  std::string missionFile;  // where the map's keys are set
};

MixChoice ParseMixChoice(std::string_view fileText);
// The whole text of the file (CR LF lines). A name the INI line cannot hold (a line break,
// ';' or '=') is left out.
std::string FormatMixChoice(const MixChoice& choice);
// A file longer than this is not ours: it reads as damaged.
inline constexpr std::size_t kMixChoiceMaxBytes = 4096;
