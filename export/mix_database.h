// The name list inside a MIX archive. An archive keeps only ids; tools that show or open
// members by name read their names from a member called "local mix database.dat" in the
// format below (all numbers little-endian 32-bit), so every archive this program writes
// holds one, listing every member, its own name too:
//
//   32 bytes   "XCC by Olaf van der Spek" and 1A 04 17 27 10 19 80 00
//   size       of the whole entry, these fields included
//   type 0, version 0, game 5
//   count      of names
//   names      each in lower case and followed by a NUL byte
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

inline constexpr char kMixDatabaseName[] = "local mix database.dat";
inline constexpr std::uint32_t kMixDatabaseId = 0x366E051F;  // MixNameId(kMixDatabaseName)

// The entry listing `names` in the order given (each stored in lower case).
std::vector<std::uint8_t> BuildMixDatabase(const std::vector<std::string>& names);

// The names listed by the entry in `data`, as stored. False with a sentence when the entry
// is not such a list: too short, another header, or names running past its end.
bool ReadMixDatabase(const std::uint8_t* data, std::size_t size, std::vector<std::string>& names, std::string& error);
