// The catalogue sections of Settings.ini: SymbolsList (map symbols for the add-item dialog)
// and CameosList (cameo icons for the load screen settings dialog).
//
// Keys carry no meaning; each value is "display name,file name[,ignored...]". The value is
// split at commas, a run of commas counting as one separator and leading commas skipped;
// only its first kCatalogueValueLength characters are read. An entry with fewer than two
// fields is skipped. In CameosList spaces at the start of the file name are skipped; in
// SymbolsList they are kept. File names are relative to the Templates directory and used as
// given.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "ini_file.h"

inline constexpr std::size_t kCatalogueValueLength = 255;

inline constexpr const char kSymbolsListSection[] = "SymbolsList";
inline constexpr const char kCameosListSection[] = "CameosList";

inline constexpr const char kSettingsMissingMessage[] = "Error: Can't find Settings.ini file in application directory!";
inline constexpr const char kSettingsInvalidMessage[] = "Error: File Settings.ini invalid!";

struct CatalogueEntry {
  std::string displayName;
  std::string fileName;
};

enum class CatalogueKind { Symbols, Cameos };

// Splits one value into `entry`. Returns false, leaving `entry` untouched, when the value is
// null or has fewer than two fields.
bool SplitCatalogueValue(const char* value, CatalogueKind kind, CatalogueEntry& entry);

// The section's entries in file order, enumerated as the dialogs do: for each index the key
// name, then the value looked up by that key. A key that repeats an earlier one therefore
// yields the earlier entry's value again. Entries that do not split are left out; a missing
// section gives an empty list.
std::vector<CatalogueEntry> ReadCatalogue(const IniFile& file, const char* section, CatalogueKind kind);

// Loads the INI file at `path` and reads one catalogue section into `entries` (cleared
// first). Returns false with `message` set to kSettingsMissingMessage when the file cannot
// be loaded, or to kSettingsInvalidMessage when it lacks the section; entries stay empty.
bool LoadCatalogue(const char* path, const char* section, CatalogueKind kind, std::vector<CatalogueEntry>& entries,
                   std::string& message);
