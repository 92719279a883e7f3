#include "mix_choice_store.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "file_replacement.h"
#include "read_file.h"
#include "user_settings_store.h"

namespace {

MixChoice choice;
bool loaded = false;

std::string ChoicePath() {
  const std::string settings = UserSettingsPath();
  return settings.empty() ? settings : settings.substr(0, settings.find_last_of('\\') + 1) + "mix.ini";
}

}  // namespace

MixChoice StoredMixChoice() {
  if (loaded) return choice;
  loaded = true;
  std::vector<std::uint8_t> bytes;
  std::string reason;
  const std::string path = ChoicePath();
  // One byte more than a file of ours may hold, so an overlong file reads as damaged.
  if (!path.empty() && ReadFileContents(path, kMixChoiceMaxBytes + 1, bytes, reason))
    choice = ParseMixChoice(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  return choice;
}

void StoreMixChoice(const MixChoice& chosen) {
  choice = chosen;
  loaded = true;
  const std::string path = ChoicePath();
  if (path.empty()) return;
  CreateDirectoryA(path.substr(0, path.find_last_of('\\')).c_str(), nullptr);
  const std::string text = FormatMixChoice(choice);
  FileReplacement file(path);
  std::string ignored;
  if (file.WriteAll(text.data(), text.size(), ignored)) CommitReplacement(file, ignored);
}
