// The per-user settings file ("Vantorel\settings.ini" in the user's application-data
// folder): read once at start-up, kept in memory as UserSettings (user_settings.h), and
// written whole after each change. Callers change values through the typed setters, then
// call SaveUserSettings.
#pragma once

#include <string>

#include "user_settings.h"

// What was read at start-up, with the changes made since.
UserSettings& StoredSettings();
// Reads the file; a missing, unreadable or overlong file gives empty settings.
void LoadUserSettings();
// Writes StoredSettings() atomically: the file then holds the old or the new settings,
// never a part. False with `reason` when it could not be written (the values in memory
// still hold for this run).
bool SaveUserSettings(std::string& reason);
// The file's full name; empty when the application-data folder is unknown.
std::string UserSettingsPath();
