// The mission file's keys that name a campaign load screen. The game reads them from the
// section named after the scenario's map file:
//
//   [ALL01UMD.MAP]
//   LS640BkgdName=ALL01UMD6.SHP   ; the 640 x 400 picture of the 640 x 480 mode
//   LS800BkgdName=ALL01UMD.SHP    ; the 800 x 520 picture
//   LS800BkgdPal=ALL01UMD.PAL     ; the palette of both
//
// and the engine extensions read defaults for every map as DefaultLS640BkgdName,
// DefaultLS800BkgdName and DefaultLS800BkgdPal under [Defaults]. The engine copies each
// value into a buffer of 63 characters and a terminator.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

inline constexpr std::size_t kMissionValueMaxLength = 63;
inline constexpr char kMissionDefaultsSection[] = "Defaults";

struct MissionEntry {
  std::string key;
  std::string value;
};

// One section's keys, in the order they are written.
struct MissionKeys {
  std::string section;
  std::vector<MissionEntry> entries;
};

// The load screen's pictures and palette as the game loads them (the names of MIX members
// or files).
struct LoadScreenNames {
  std::string ls640;
  std::string ls800;
  std::string palette;
};

// The map's section: LS640BkgdName, LS800BkgdName, LS800BkgdPal.
MissionKeys MapLoadScreenKeys(const std::string& map, const LoadScreenNames& names);
// [Defaults]: DefaultLS640BkgdName, DefaultLS800BkgdName, DefaultLS800BkgdPal.
MissionKeys DefaultLoadScreenKeys(const LoadScreenNames& names);

// Empty when `map` can name the map's section; otherwise one line saying why, with a name
// that works: "the map name 'SOV01' has no extension: give the scenario's map file name,
// such as ALL01UMD.MAP". A map name is plain printable ASCII of at most 63 characters, with
// an extension, no folder, no '[', ']', '=' or ';' and no blank at either end.
std::string MapNameProblem(const std::string& map);

// Empty when every value of `keys` can be written (the same characters as a map name, at
// most kMissionValueMaxLength of them, not empty) and the section is a map name or
// [Defaults]; otherwise one line naming the key and the way out.
std::string MissionKeysProblem(const MissionKeys& keys);

// "[SECTION]", then "KEY=VALUE" per entry, each line ending in `lineEnd`.
std::string FormatMissionLines(const MissionKeys& keys, const std::string& lineEnd = "\n");
