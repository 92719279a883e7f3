// Names of files inside a MIX archive. The archive keeps no names, only a 32-bit id per
// file: the CRC-32 (zlib's polynomial 0xEDB88320) of the name in upper case, padded when
// its length L is not a multiple of 4 by one character of value L mod 4 and then copies
// of the character at position 4 * (L div 4), up to the next multiple of 4.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The id the games look a file up by. Case does not matter: "a.shp" and "A.SHP" agree.
std::uint32_t MixNameId(std::string_view name);

// Empty when `name` may be stored in a MIX, otherwise why not: an empty name, a character
// outside printable ASCII (the games compare bytes), or a folder separator.
std::string MixNameProblem(std::string_view name);

// True when the name fits the games' 8.3 form: at most 8 characters, then optionally a
// dot and at most 3 more, and no second dot.
bool FitsEightDotThree(std::string_view name);

// The name in upper case, as the mission file writes it.
std::string UpperCaseName(std::string_view name);

// "0x1A2B3C4D", as ids are shown.
std::string MixIdText(std::uint32_t id);
