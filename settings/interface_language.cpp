#include "interface_language.h"

#include "ini_line.h"

namespace {

constexpr std::string_view kSection = "Interface", kKey = "Language";
constexpr std::string_view kChinese = "Chinese", kEnglish = "English";

}  // namespace

InterfaceLanguage ParseInterfaceLanguage(std::string_view text) {
  if (text.size() > kInterfaceSettingsMaxBytes) return InterfaceLanguage::Chinese;
  bool inSection = false;
  InterfaceLanguage language = InterfaceLanguage::Chinese;
  while (!text.empty()) {
    // The line with its LF, so the line parser strips the CR LF terminator as a whole.
    const std::size_t end = text.find('\n');
    const std::size_t length = end == std::string_view::npos ? text.size() : end + 1;
    const std::string_view line = text.substr(0, length);
    text.remove_prefix(length);
    const IniLine parsed = ParseIniLine(line);
    if (parsed.isSection) {
      inSection = SameWordIgnoringCase(parsed.sectionName, kSection);
    } else if (inSection && parsed.isEntry && SameWordIgnoringCase(parsed.key, kKey)) {
      // The last entry wins, as in the other INI files the program reads.
      language = SameWordIgnoringCase(parsed.value, kEnglish) ? InterfaceLanguage::English : InterfaceLanguage::Chinese;
    }
  }
  return language;
}

std::string FormatInterfaceLanguage(InterfaceLanguage language) {
  return "[" + std::string(kSection) + "]\r\n" + std::string(kKey) + "=" +
         std::string(language == InterfaceLanguage::English ? kEnglish : kChinese) + "\r\n";
}

InterfaceLanguage OtherLanguage(InterfaceLanguage language) {
  return language == InterfaceLanguage::English ? InterfaceLanguage::Chinese : InterfaceLanguage::English;
}
