#include "ui_language.h"

#include <shlobj.h>

#include <cstdint>
#include <vector>

#include "app_state.h"
#include "dialog_placement.h"
#include "file_replacement.h"
#include "read_file.h"
#include "resource.h"
#include "window_placement.h"

namespace {

InterfaceLanguage language = InterfaceLanguage::Chinese;

WORD ResourceLanguage() {
  return language == InterfaceLanguage::English ? MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)
                                                : MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
}

// The resource of the interface language; the Chinese one when that language lacks it.
const void* LanguageResource(LPCSTR type, int id) {
  HINSTANCE instance = App().instance;
  HRSRC found = FindResourceExA(instance, type, MAKEINTRESOURCEA(id), ResourceLanguage());
  if (!found)
    found = FindResourceExA(instance, type, MAKEINTRESOURCEA(id), MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED));
  HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
  return loaded ? LockResource(loaded) : nullptr;
}

}  // namespace

InterfaceLanguage UiLanguage() { return language; }
bool UiIsEnglish() { return language == InterfaceLanguage::English; }

std::string LanguageSettingsPath() {
  char folder[MAX_PATH];
  if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) return {};
  return std::string(folder) + "\\Vantorel\\settings.ini";
}

std::string ReadSettingsText() {
  const std::string path = LanguageSettingsPath();
  std::vector<std::uint8_t> bytes;
  std::string reason;
  // One byte more than a file of ours may hold, so an overlong file reads as damaged.
  if (path.empty() || !ReadFileContents(path, kInterfaceSettingsMaxBytes + 1, bytes, reason)) return {};
  return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

void LoadLanguageChoice() { language = ParseInterfaceLanguage(ReadSettingsText()); }

bool SaveLanguageChoice(InterfaceLanguage chosen, std::string& reason) {
  language = chosen;
  return SaveSettingsSection("Interface", FormatInterfaceLanguage(chosen), reason);
}

bool SaveSettingsSection(std::string_view name, const std::string& sectionText, std::string& reason) {
  const std::string path = LanguageSettingsPath();
  if (path.empty()) {
    reason = "the application-data folder is unknown";
    return false;
  }
  // The program's own folder inside the application-data folder, made on the first save.
  CreateDirectoryA(path.substr(0, path.find_last_of('\\')).c_str(), nullptr);
  std::string text = ReadSettingsText();
  // A damaged (overlong) file is not kept.
  text = ReplaceIniSection(text.size() > kInterfaceSettingsMaxBytes ? std::string() : text, name, sectionText);
  FileReplacement file(path);
  return file.WriteAll(text.data(), text.size(), reason) && CommitReplacement(file, reason);
}

HMENU LoadMainMenu() {
  const void* menu = LanguageResource(MAKEINTRESOURCEA(4) /* RT_MENU */, IDM_MAIN_MENU);
  return menu ? LoadMenuIndirectA(menu) : nullptr;
}

INT_PTR ShowDialog(int id, HWND owner, DLGPROC procedure, LPARAM parameter) {
  const void* dialog = LanguageResource(MAKEINTRESOURCEA(5) /* RT_DIALOG */, id);
  if (!dialog) return -1;
  const INT_PTR result =
      DialogBoxIndirectParamA(App().instance, static_cast<LPCDLGTEMPLATEA>(dialog), owner, procedure, parameter);
  ReturnFocusTo(owner);
  return result;
}
