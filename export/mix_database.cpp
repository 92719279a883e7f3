#include "mix_database.h"

#include <cstring>

namespace {

constexpr std::uint8_t kHeaderText[32] = {'X', 'C', 'C',  ' ',  'b',  'y',  ' ',  'O',  'l',  'a', 'f',
                                          ' ', 'v', 'a',  'n',  ' ',  'd',  'e',  'r',  ' ',  'S', 'p',
                                          'e', 'k', 0x1A, 0x04, 0x17, 0x27, 0x10, 0x19, 0x80, 0x00};
constexpr std::size_t kHeaderSize = 32 + 4 * 4;  // the text, size, type, version, game
constexpr std::uint32_t kTypeDatabase = 0, kVersion = 0, kGame = 5;

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

std::uint32_t Read32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::vector<std::uint8_t> BuildMixDatabase(const std::vector<std::string>& names) {
  std::size_t size = kHeaderSize + 4;
  for (const std::string& name : names) size += name.size() + 1;
  std::vector<std::uint8_t> entry(std::begin(kHeaderText), std::end(kHeaderText));
  entry.reserve(size);
  for (std::uint32_t field :
       {static_cast<std::uint32_t>(size), kTypeDatabase, kVersion, kGame, static_cast<std::uint32_t>(names.size())})
    Put32(entry, field);
  for (const std::string& name : names) {
    for (char c : name) entry.push_back(static_cast<std::uint8_t>(Lower(c)));
    entry.push_back(0);
  }
  return entry;
}

bool ReadMixDatabase(const std::uint8_t* data, std::size_t size, std::vector<std::string>& names, std::string& error) {
  names.clear();
  // Other tools write other games and versions into the header; only the text and the
  // names decide.
  if (size < kHeaderSize + 4 || std::memcmp(data, kHeaderText, sizeof kHeaderText) != 0) {
    error = "its name list (local mix database.dat) is not in the known format";
    return false;
  }
  const std::uint32_t count = Read32(data + kHeaderSize);
  std::size_t at = kHeaderSize + 4;
  for (std::uint32_t i = 0; i < count; ++i) {
    const void* nul = at < size ? std::memchr(data + at, 0, size - at) : nullptr;
    if (!nul) {
      names.clear();
      error = "its name list (local mix database.dat) ends inside name " + std::to_string(i + 1) + " of " +
              std::to_string(count);
      return false;
    }
    const std::size_t end = static_cast<std::size_t>(static_cast<const std::uint8_t*>(nul) - data);
    names.emplace_back(reinterpret_cast<const char*>(data + at), end - at);
    at = end + 1;
  }
  return true;
}
