#include "user_settings_store.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdint>
#include <vector>

#include "file_replacement.h"
#include "read_file.h"

namespace {
UserSettings settings;
}

UserSettings& StoredSettings() { return settings; }

std::string UserSettingsPath() {
  char folder[MAX_PATH];
  if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) return {};
  return std::string(folder) + "\\Vantorel\\settings.ini";
}

void LoadUserSettings() {
  const std::string path = UserSettingsPath();
  std::vector<std::uint8_t> bytes;
  std::string reason;
  // One byte more than a file of ours may hold, so an overlong file reads as damaged.
  if (path.empty() || !ReadFileContents(path, kUserSettingsMaxBytes + 1, bytes, reason)) return;
  settings = UserSettings::Parse(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

bool SaveUserSettings(std::string& reason) {
  const std::string path = UserSettingsPath();
  if (path.empty()) {
    reason = "the application-data folder is unknown";
    return false;
  }
  // The program's own folder inside the application-data folder, made on the first save.
  CreateDirectoryA(path.substr(0, path.find_last_of('\\')).c_str(), nullptr);
  const std::string text = settings.Format();
  FileReplacement file(path);
  return file.WriteAll(text.data(), text.size(), reason) && CommitReplacement(file, reason);
}
