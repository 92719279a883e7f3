#include "catalogue.h"

#include <string_view>

namespace {

// The next comma-separated field, skipping any commas before it; empty when none is left.
std::string_view NextField(std::string_view& rest) {
  const std::size_t start = rest.find_first_not_of(',');
  if (start == std::string_view::npos) {
    rest = {};
    return {};
  }
  rest.remove_prefix(start);
  const std::size_t end = rest.find(',');
  const std::string_view field = rest.substr(0, end);
  rest.remove_prefix(end == std::string_view::npos ? rest.size() : end);
  return field;
}

}  // namespace

bool SplitCatalogueValue(const char* value, CatalogueKind kind, CatalogueEntry& entry) {
  if (value == nullptr) return false;
  std::size_t length = 0;
  while (length < kCatalogueValueLength && value[length] != '\0') ++length;
  std::string_view rest(value, length);

  const std::string_view displayName = NextField(rest);
  std::string_view fileName = NextField(rest);
  if (displayName.empty() || fileName.empty()) return false;
  if (kind == CatalogueKind::Cameos) {
    // A name of nothing but spaces still counts as a second field; it becomes empty here.
    const std::size_t first = fileName.find_first_not_of(' ');
    fileName.remove_prefix(first == std::string_view::npos ? fileName.size() : first);
  }
  entry.displayName = displayName;
  entry.fileName = fileName;
  return true;
}

std::vector<CatalogueEntry> ReadCatalogue(const IniFile& file, const char* section, CatalogueKind kind) {
  std::vector<CatalogueEntry> entries;
  const int count = file.GetKeyCount(section);
  for (int index = 0; index < count; ++index) {
    const char* key = file.GetKeyName(section, index);
    if (key == nullptr) continue;
    char value[kCatalogueValueLength + 1];
    if (!file.GetString(section, key, value, kCatalogueValueLength)) continue;
    CatalogueEntry entry;
    if (SplitCatalogueValue(value, kind, entry)) entries.push_back(std::move(entry));
  }
  return entries;
}

bool LoadCatalogue(const char* path, const char* section, CatalogueKind kind, std::vector<CatalogueEntry>& entries,
                   std::string& message) {
  entries.clear();
  IniFile file;
  if (!file.SetFileName(path) || !file.Load()) {
    message = kSettingsMissingMessage;
    return false;
  }
  if (!file.HasSection(section)) {
    message = kSettingsInvalidMessage;
    return false;
  }
  entries = ReadCatalogue(file, section, kind);
  message.clear();
  return true;
}
