// UserSettings: the per-user settings file ("settings.ini" in the user's application-data
// folder) as typed values. It holds the interface language the user chose, if any, and the
// recent scene files:
//
//   [Interface]
//   Language=English
//   [Recent]
//   File1=C:\scenes\mission1.ini
//
// Entries and sections this version does not know are kept as they are, so a later version
// can add keys without an older one dropping them. A line is "[section]" or "key=value"
// (the value runs from the first '=' to the end of the line, so paths may hold ';' and
// '='); anything else is skipped. Keys and section names compare without case. An entry
// that would not read back as it is (an empty key, a key with '=' or a line break or that
// starts with '[' or ';', a value with a line break) is dropped alike when read and when set,
// so Format always gives a text that Parse reads back unchanged.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "interface_language.h"

class UserSettings {
 public:
  // Never fails: what cannot be read is skipped. Text longer than kUserSettingsMaxBytes is
  // not ours and reads as empty.
  static UserSettings Parse(std::string_view text);
  // The whole file text, CR LF lines.
  std::string Format() const;

  // The language the user chose in the View menu; none while no choice was made (or the
  // entry names no language we have).
  std::optional<InterfaceLanguage> Language() const;
  void SetLanguage(InterfaceLanguage language);

  // The recent scene files, newest first, at most kMaxRecentFiles.
  std::vector<std::string> RecentFiles() const;
  void SetRecentFiles(const std::vector<std::string>& files);

  // Any entry by name; the typed accessors above are built on these. SetValue does nothing
  // for an entry that would not read back (see above).
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;
  void SetValue(std::string_view section, std::string_view key, std::string_view value);
  void RemoveValue(std::string_view section, std::string_view key);

 private:
  struct Section {
    std::string name;
    std::vector<std::pair<std::string, std::string>> entries;
  };
  Section* FindSection(std::string_view name);
  const Section* FindSection(std::string_view name) const;
  std::vector<Section> sections_;
};

inline constexpr int kMaxRecentFiles = 8;
// Room for the recent paths and the keys later versions add; a longer file is not ours.
inline constexpr std::size_t kUserSettingsMaxBytes = 16384;
