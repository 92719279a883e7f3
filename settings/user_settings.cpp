#include "user_settings.h"

#include <algorithm>

#include "ini_line.h"

namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

// Whether "key=value" on a line of its own reads back as this key and value. A key that is
// empty, has blanks at an end, holds '=' or a line break, or starts like a section or a
// comment would not, nor would a value with a line break: such an entry is neither read
// nor kept, so what is written is always what is read.
bool EntryReadsBack(std::string_view key, std::string_view value) {
  return !key.empty() && Trimmed(key).size() == key.size() && key.find_first_of("=\r\n") == std::string_view::npos &&
         key.front() != '[' && key.front() != ';' && value.find_first_of("\r\n") == std::string_view::npos;
}

constexpr std::string_view kInterface = "Interface", kLanguage = "Language";
constexpr std::string_view kRecent = "Recent", kFilePrefix = "File";

}  // namespace

UserSettings UserSettings::Parse(std::string_view text) {
  UserSettings settings;
  if (text.size() > kUserSettingsMaxBytes) return settings;
  Section* current = nullptr;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = Trimmed(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      const std::string_view name = Trimmed(line.substr(1, line.size() - 2));
      current = settings.FindSection(name);
      if (!current) current = &settings.sections_.emplace_back(Section{std::string(name), {}});
      continue;
    }
    const std::size_t equals = line.find('=');
    if (!current || equals == std::string_view::npos) continue;
    // The last entry of a key wins, as in the other INI files the program reads.
    settings.SetValue(current->name, Trimmed(line.substr(0, equals)), line.substr(equals + 1));
  }
  return settings;
}

std::string UserSettings::Format() const {
  std::string text;
  for (const Section& section : sections_) {
    if (section.entries.empty()) continue;
    text += "[" + section.name + "]\r\n";
    for (const auto& [key, value] : section.entries) text += key + "=" + value + "\r\n";
  }
  return text;
}

std::optional<InterfaceLanguage> UserSettings::Language() const {
  const std::optional<std::string> value = Value(kInterface, kLanguage);
  if (!value) return std::nullopt;
  if (SameWordIgnoringCase(Trimmed(*value), "English")) return InterfaceLanguage::English;
  if (SameWordIgnoringCase(Trimmed(*value), "Chinese")) return InterfaceLanguage::Chinese;
  return std::nullopt;
}

void UserSettings::SetLanguage(InterfaceLanguage language) {
  SetValue(kInterface, kLanguage, language == InterfaceLanguage::English ? "English" : "Chinese");
}

std::vector<std::string> UserSettings::RecentFiles() const {
  std::vector<std::string> files;
  for (int i = 1; i <= kMaxRecentFiles; ++i) {
    const std::optional<std::string> value = Value(kRecent, std::string(kFilePrefix) + std::to_string(i));
    if (value && !value->empty()) files.push_back(*value);
  }
  return files;
}

void UserSettings::SetRecentFiles(const std::vector<std::string>& files) {
  for (int i = 1; i <= kMaxRecentFiles; ++i) {
    const std::string key = std::string(kFilePrefix) + std::to_string(i);
    // A path with a line break is not kept (SetValue): it would end the entry early.
    RemoveValue(kRecent, key);
    if (i <= static_cast<int>(files.size())) SetValue(kRecent, key, files[i - 1]);
  }
}

std::optional<std::string> UserSettings::Value(std::string_view section, std::string_view key) const {
  const Section* found = FindSection(section);
  if (!found) return std::nullopt;
  for (const auto& [name, value] : found->entries)
    if (SameWordIgnoringCase(name, key)) return value;
  return std::nullopt;
}

void UserSettings::SetValue(std::string_view section, std::string_view key, std::string_view value) {
  if (!EntryReadsBack(key, value)) return;
  Section* found = FindSection(section);
  if (!found) found = &sections_.emplace_back(Section{std::string(section), {}});
  for (auto& [name, old] : found->entries) {
    if (SameWordIgnoringCase(name, key)) {
      old = value;
      return;
    }
  }
  found->entries.emplace_back(std::string(key), std::string(value));
}

void UserSettings::RemoveValue(std::string_view section, std::string_view key) {
  if (Section* found = FindSection(section))
    std::erase_if(found->entries, [&](const auto& entry) { return SameWordIgnoringCase(entry.first, key); });
}

UserSettings::Section* UserSettings::FindSection(std::string_view name) {
  for (Section& section : sections_)
    if (SameWordIgnoringCase(section.name, name)) return &section;
  return nullptr;
}

const UserSettings::Section* UserSettings::FindSection(std::string_view name) const {
  return const_cast<UserSettings*>(this)->FindSection(name);
}
