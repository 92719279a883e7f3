#include "language.h"

#include <optional>

#include "resource.h"
#include "text_conversion.h"
#include "user_settings_store.h"

namespace {

InterfaceLanguage language = InterfaceLanguage::Chinese;

WORD ResourceLanguage() {
  return language == InterfaceLanguage::English ? MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)
                                                : MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
}

// The resource of the interface language; the Chinese one when that language lacks it.
const void* LanguageResource(LPCSTR type, int id) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceExA(instance, type, MAKEINTRESOURCEA(id), ResourceLanguage());
  if (!found)
    found = FindResourceExA(instance, type, MAKEINTRESOURCEA(id), MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED));
  HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
  return loaded ? LockResource(loaded) : nullptr;
}

}  // namespace

InterfaceLanguage UiLanguage() { return language; }

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

const void* DialogTemplate(int id) { return LanguageResource(MAKEINTRESOURCEA(5) /* RT_DIALOG */, id); }

std::wstring WideLine(const TextLine& line) {
  return RenderLine<std::wstring>(
      line, language, [](std::string_view text) { return WideText(text, Narrow::Utf8); },
      [](std::string_view text) { return WideText(text, Narrow::Ansi); });
}

std::wstring WideTextOf(Text text) { return WideText(TextTemplate(text, language), Narrow::Utf8); }

std::string NarrowTextOf(Text text) {
  bool lossy = false;
  std::string narrow = NarrowText(WideTextOf(text), Narrow::Ansi, &lossy);
  if (!lossy) return narrow;
  return NarrowText(WideText(TextTemplate(text, InterfaceLanguage::English), Narrow::Utf8), Narrow::Ansi);
}
