// The interface language a run of the driver checks, its texts, and the editor's settings
// file that chooses it ("Vantorel\settings.ini" in the application-data folder of the Wine
// user).
#pragma once

#include <string>
#include <vector>

#include "interface_texts.h"

enum class DriverLanguage { Chinese, English };

// The captions the editor's resources give its dialogs and the menu, in the language the
// run checks: set once by UseInterfaceLanguage before any scenario (the Chinese ones until
// then). The editor's own texts come from its table, through EditorText.
namespace texts {
extern const wchar_t* kAddItemCaption;
extern const wchar_t* kSelectItemCaption;
extern const wchar_t* kLoadScreenSettingsCaption;
extern const wchar_t* kCropCaption;
extern const wchar_t* kColourizeCaption;
extern const wchar_t* kShpSaveCaption;
extern const wchar_t* kAboutCaption;
extern const wchar_t* kLinkLabel;
extern const wchar_t* kLanguageItem;  // the View item that switches to the other language
}  // namespace texts

// A line of the editor's texts (interface_texts.h) in the run's language.
std::wstring EditorText(const TextLine& line);
inline std::wstring EditorText(Text text) { return EditorText(TextLine{{text}}); }

// Sets texts:: to the language's texts and remembers it for RunLanguage.
void UseInterfaceLanguage(DriverLanguage language);
DriverLanguage RunLanguage();
const char* LanguageName(DriverLanguage language);  // "chinese", "english"

// The editor's settings file; empty when the application-data folder is unknown.
std::wstring LanguageSettingsFile();
// The SHP dialog's remembered MIX group ("mix.ini" beside the settings file).
std::wstring MixChoiceFile();
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
