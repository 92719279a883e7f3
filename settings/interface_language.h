// The interface language the user chose, kept in a small INI file of the user's own:
//
//   [Interface]
//   Language=English
//
// Chinese is the default: a missing file, a file without that entry, or one that says
// anything else (a damaged file) all mean Chinese.
#pragma once

#include <string>
#include <string_view>

enum class InterfaceLanguage { Chinese = 0, English = 1 };

// The language a settings file's text names; Chinese for anything else.
InterfaceLanguage ParseInterfaceLanguage(std::string_view fileText);
// The whole text of a settings file that names `language` (CR LF lines).
std::string FormatInterfaceLanguage(InterfaceLanguage language);
InterfaceLanguage OtherLanguage(InterfaceLanguage language);
// A settings file longer than this is not ours: it is read as damaged.
inline constexpr std::size_t kInterfaceSettingsMaxBytes = 4096;
