#include "mix_name_id.h"

#include <array>
#include <cstdio>

namespace {

std::array<std::uint32_t, 256> MakeCrcTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}

std::uint32_t Crc32(std::string_view bytes) {
  static const std::array<std::uint32_t, 256> table = MakeCrcTable();
  std::uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char byte : bytes) crc = table[(crc ^ byte) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::string UpperCaseName(std::string_view name) {
  std::string upper(name);
  for (char& c : upper) c = Upper(c);
  return upper;
}

std::uint32_t MixNameId(std::string_view name) {
  std::string padded = UpperCaseName(name);
  const std::size_t length = padded.size();
  if (length % 4 != 0) {
    const std::size_t whole = length / 4 * 4;
    padded += static_cast<char>(length % 4);
    // The character repeated is one of the name's own: position `whole` is below `length`.
    const char repeated = padded[whole];
    while (padded.size() % 4 != 0) padded += repeated;
  }
  return Crc32(padded);
}

std::string MixNameProblem(std::string_view name) {
  if (name.empty()) return "a file in a MIX needs a name";
  for (unsigned char c : name) {
    if (c < 0x20 || c > 0x7E) return "the name " + std::string(name) + " is not plain ASCII";
    if (c == '/' || c == '\\') return "the name " + std::string(name) + " holds a folder separator";
  }
  return {};
}

bool FitsEightDotThree(std::string_view name) {
  const std::size_t dot = name.find('.');
  if (dot == std::string_view::npos) return !name.empty() && name.size() <= 8;
  const std::string_view stem = name.substr(0, dot), extension = name.substr(dot + 1);
  return !stem.empty() && stem.size() <= 8 && extension.size() <= 3 && extension.find('.') == std::string_view::npos;
}

std::string MixIdText(std::uint32_t id) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(id));
  return text;
}
