#include "mission_keys.h"

namespace {

constexpr char kMapExample[] = "give the scenario's map file name, such as ALL01UMD.MAP";

// Why `text` cannot stand in a mission file's section name or value, or empty. The game's
// reader ends a section name at ']', a key at '=' and a line's text at ';', and trims blanks.
std::string CharacterProblem(const std::string& text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return "holds a control character";
    if (byte >= 0x80) return "is not plain ASCII";
    if (c == '[' || c == ']' || c == '=' || c == ';')
      return std::string("holds '") + c + "', which a mission file cannot hold there";
  }
  if (!text.empty() && (text.front() == ' ' || text.back() == ' ')) return "begins or ends with a blank";
  return {};
}

std::string TooLong(const std::string& text) {
  if (text.size() <= kMissionValueMaxLength) return {};
  return "has " + std::to_string(text.size()) + " characters, more than the game's " +
         std::to_string(kMissionValueMaxLength);
}

MissionKeys Keys(const std::string& section, const std::string& prefix, const LoadScreenNames& names) {
  return {section,
          {{prefix + "LS640BkgdName", names.ls640},
           {prefix + "LS800BkgdName", names.ls800},
           {prefix + "LS800BkgdPal", names.palette}}};
}

}  // namespace

MissionKeys MapLoadScreenKeys(const std::string& map, const LoadScreenNames& names) { return Keys(map, "", names); }

MissionKeys DefaultLoadScreenKeys(const LoadScreenNames& names) {
  return Keys(kMissionDefaultsSection, "Default", names);
}

std::string MapNameProblem(const std::string& map) {
  std::string problem;
  if (map.empty()) return std::string("the map name is empty: ") + kMapExample;
  if (problem = CharacterProblem(map); problem.empty()) problem = TooLong(map);
  if (problem.empty() && map.find_first_of("/\\:") != std::string::npos) problem = "names a folder";
  if (problem.empty()) {
    const std::size_t dot = map.rfind('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == map.size()) problem = "has no extension";
  }
  return problem.empty() ? problem : "the map name '" + map + "' " + problem + ": " + kMapExample;
}

std::string MissionKeysProblem(const MissionKeys& keys) {
  if (keys.section != kMissionDefaultsSection)
    if (std::string problem = MapNameProblem(keys.section); !problem.empty()) return problem;
  for (const MissionEntry& entry : keys.entries) {
    std::string problem = entry.value.empty() ? "is empty" : CharacterProblem(entry.value);
    if (problem.empty()) problem = TooLong(entry.value);
    if (!problem.empty())
      return entry.key + "=" + entry.value + ": the name " + problem + "; choose a file name such as SOV01.SHP";
  }
  return {};
}

std::string FormatMissionLines(const MissionKeys& keys, const std::string& lineEnd) {
  std::string text = "[" + keys.section + "]" + lineEnd;
  for (const MissionEntry& entry : keys.entries) text += entry.key + "=" + entry.value + lineEnd;
  return text;
}
