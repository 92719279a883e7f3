// The interface language: the user's choice, read at start-up from a small settings file in
// the user's application-data folder ("Vantorel\settings.ini"), and the menu and dialogs of
// that language. The .rc holds every menu and dialog once per language with the same ids;
// they are loaded explicitly in the chosen language, so the system's own language never
// decides, and ids and code paths are the same in both.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "interface_language.h"

InterfaceLanguage UiLanguage();
bool UiIsEnglish();

// Reads the choice; a missing, unreadable or damaged file leaves the default (Chinese).
void LoadLanguageChoice();
// Makes `language` the interface language and writes it to the settings file (atomically:
// the file holds the old or the new choice, never a part). False with `reason` when the
// file could not be written; the language is switched for this run all the same.
bool SaveLanguageChoice(InterfaceLanguage language, std::string& reason);
// The settings file's full name; empty when the application-data folder is unknown.
std::string LanguageSettingsPath();
// The settings file's text; empty when there is none or it cannot be read.
std::string ReadSettingsText();
// Replaces (or adds) one section of the settings file, keeping the others, atomically as
// SaveLanguageChoice writes. False with `reason` when the file could not be written.
bool SaveSettingsSection(std::string_view name, const std::string& sectionText, std::string& reason);

// The main menu (resource 101) of the interface language. Null when it cannot be loaded.
HMENU LoadMainMenu();
// DialogBoxParam of dialog `id` in the interface language.
INT_PTR ShowDialog(int id, HWND owner, DLGPROC procedure, LPARAM parameter);
