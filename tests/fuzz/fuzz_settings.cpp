// Settings.ini: the reader, every lookup, and both catalogue sections as the dialogs read
// them.
#include "catalogue.h"
#include "fuzz_support.h"
#include "ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = WriteFuzzFile("Settings.ini", data, size);
  IniFile ini(path.c_str());
  if (!ini.Load()) return 0;
  char value[300];
  for (int s = 0; s < ini.GetSectionCount() && s < 32; ++s) {
    const char* section = ini.GetSectionName(s);
    for (int k = 0; k < ini.GetKeyCount(section) && k < 32; ++k) {
      const char* key = ini.GetKeyName(section, k);
      ini.GetString(section, key, value, sizeof value - 1);
      ini.GetInt(section, key, 0);
      ini.GetBool(section, key, false);
    }
  }
  ReadCatalogue(ini, kSymbolsListSection, CatalogueKind::Symbols);
  ReadCatalogue(ini, kCameosListSection, CatalogueKind::Cameos);
  std::vector<CatalogueEntry> entries;
  std::string message;
  LoadCatalogue(path.c_str(), kCameosListSection, CatalogueKind::Cameos, entries, message);
  return 0;
}
