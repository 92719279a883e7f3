// The interface language a run of the driver checks, its texts, and the editor's settings
// file that chooses it ("Vantorel\settings.ini" in the application-data folder of the Wine
// user).
#pragma once

#include <string>
#include <vector>

#include "interface_texts.h"

enum class DriverLanguage { Chinese, English };

// The texts of the interface language the run checks, set once by UseInterfaceLanguage
// before any scenario (the Chinese ones until then): the editor's own texts, from its table
// (interface_texts.h), and the captions its resources give the dialogs and the menu.
namespace texts {
extern const wchar_t* kTitle;
extern const wchar_t* kProgramCaption;
extern const wchar_t* kErrorCaption;
extern const wchar_t* kOpenImageCaption;
extern const wchar_t* kOpenSceneCaption;
extern const wchar_t* kSaveSceneCaption;
extern const wchar_t* kSideTemplateMissing;
extern const wchar_t* kSaveChangesQuestion;
extern const wchar_t* kSaveFailed;  // the first line of a failed save's message
extern const wchar_t* kHint;
extern const wchar_t* kCloseQuestion;  // for an untitled screen
extern const wchar_t* kCameoMissing;
extern const wchar_t* kCameoWrongSize;
extern const wchar_t* kScreenshotTooSmall;
extern const wchar_t* kCropQuestion;
extern const wchar_t* kNoScreenshot;
extern const wchar_t* kImageSaveError;
extern const wchar_t* kPreviewLabel;  // above the image chooser's preview pane
// The resources' captions.
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
