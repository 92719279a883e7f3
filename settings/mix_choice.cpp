#include "mix_choice.h"

#include "ini_line.h"

MixChoice ParseMixChoice(std::string_view text) {
  MixChoice choice;
  if (text.size() > kMixChoiceMaxBytes) return choice;
  bool inSection = false;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::size_t length = end == std::string_view::npos ? text.size() : end + 1;
    const IniLine line = ParseIniLine(text.substr(0, length));
    text.remove_prefix(length);
    if (line.isSection)
      inSection = line.sectionName == "Mix";
    else if (inSection && line.isEntry && line.key == "Pack")
      choice.pack = line.value == "1";
    else if (inSection && line.isEntry && line.key == "File")
      choice.file = line.value;
    else if (inSection && line.isEntry && line.key == "Map")
      choice.map = line.value;
    else if (inSection && line.isEntry && line.key == "MissionFile")
      choice.missionFile = line.value;
  }
  return choice;
}

std::string FormatMixChoice(const MixChoice& choice) {
  std::string text = "[Mix]\r\nPack=" + std::string(choice.pack ? "1" : "0") + "\r\n";
  // The INI line format has no escapes: a name it cannot hold is not remembered.
  const auto entry = [&text](const char* key, const std::string& value) {
    if (!value.empty() && value.find_first_of("\r\n;=") == std::string::npos) text += key + ("=" + value) + "\r\n";
  };
  entry("File", choice.file);
  entry("Map", choice.map);
  entry("MissionFile", choice.missionFile);
  return text;
}
