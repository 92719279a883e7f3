// The interface language a run of the driver checks, and the editor's settings file that
// chooses it ("Vantorel\settings.ini" in the application-data folder of the Wine user).
#pragma once

#include <string>
#include <vector>

enum class DriverLanguage { Chinese, English };

// Sets texts:: to the language's texts and remembers it for RunLanguage.
void UseInterfaceLanguage(DriverLanguage language);
DriverLanguage RunLanguage();
const char* LanguageName(DriverLanguage language);  // "chinese", "english"

// The editor's settings file; empty when the application-data folder is unknown.
std::wstring LanguageSettingsFile();
// Writes the file as the editor does (`text` verbatim), or removes it when `text` is null.
bool WriteLanguageSettings(const char* text, std::string& error);
// What the file holds now; empty when it does not exist.
std::string ReadLanguageSettings();

// The menu captions of a language: for each popup, its caption first, then its items'.
struct MenuCaption {
  unsigned item;  // popup position, or command id
  bool popup;
  const wchar_t* caption;
};
struct MenuCaptions {
  const char* name;
  std::vector<MenuCaption> items;
};
const std::vector<MenuCaptions>& ExpectedMenuCaptions(DriverLanguage language);
