#include "ui_language.h"

#include <optional>

#include "app_state.h"
#include "dialog_placement.h"
#include "resource.h"
#include "user_settings_store.h"

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

void LoadLanguageChoice() {
  LoadUserSettings();
  if (const std::optional<InterfaceLanguage> chosen = StoredSettings().Language()) {
    language = *chosen;
    return;
  }
  // No choice yet: the user's own interface language decides, Chinese for any Chinese.
  language = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_CHINESE ? InterfaceLanguage::Chinese
                                                                        : InterfaceLanguage::English;
}

bool SaveLanguageChoice(InterfaceLanguage chosen, std::string& reason) {
  language = chosen;
  StoredSettings().SetLanguage(chosen);
  return SaveUserSettings(reason);
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
