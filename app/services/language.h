// The interface language: the user's choice, kept in the per-user settings file, or the
// system's interface language until there is one; the menu and dialogs of that language;
// and the editor's texts rendered in it for the W calls. The .rc holds every menu and dialog
// once per language with the same ids; they are loaded explicitly in the chosen language,
// so the system's own language never decides, and ids and code paths are the same in both.
#pragma once

#include <windows.h>

#include <string>

#include "interface_language.h"
#include "interface_texts.h"

InterfaceLanguage UiLanguage();

// Reads the per-user settings (user_settings_store.h) and takes the language chosen there;
// until the user has chosen one, the interface is Chinese when the user's Windows interface
// language is any Chinese, English otherwise.
void LoadLanguageChoice();
// Makes `language` the interface language and writes it to the settings file (atomically:
// the file holds the old or the new choice, never a part). False with `reason` when the
// file could not be written; the language is switched for this run all the same.
bool SaveLanguageChoice(InterfaceLanguage language, std::string& reason);

// The main menu (resource 101) of the interface language. Null when it cannot be loaded.
HMENU LoadMainMenu();
// Dialog template `id` of the interface language (the Chinese one when that language lacks
// it), for ModalDialog::Run. Null when there is none.
const void* DialogTemplate(int id);

// The editor's texts in the interface language: a line as UTF-16 for the W calls, and a
// text (captions, file filters) in the ANSI code page for the narrow ones; a text that code
// page cannot hold (Chinese on a Western system) comes in English there.
std::wstring WideLine(const TextLine& line);
std::wstring WideTextOf(Text text);
std::string NarrowTextOf(Text text);
