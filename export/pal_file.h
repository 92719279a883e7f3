// PAL files: 768 bytes, no header, the 256 palette entries in index order as red, green,
// blue, each a 6-bit value 0..63.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "palette.h"

inline constexpr std::size_t kPalFileSize = 768;
using PalBytes = std::array<std::uint8_t, kPalFileSize>;

// 6 bits to 8: each byte times 4, kept to 8 bits, so 63 becomes 252 and a byte above 63
// wraps (64 becomes 0) as the games read it.
Palette PaletteFromPalBytes(const PalBytes& bytes);
// 8 bits to 6: each channel shifted right by 2 (the two low bits are dropped).
PalBytes PalBytesFromPalette(const Palette& palette);

enum class PalReadStatus { kOk, kOpenError, kReadError };
// Reads the first 768 bytes of the file at `path` into `palette` (8-bit); a longer file is
// accepted. kOpenError when it cannot be opened, kReadError when it holds fewer than 768
// bytes; `palette` is then unchanged and `reason` says why ("No such file or directory",
// "the file has 100 bytes, a palette needs 768").
PalReadStatus ReadPalFile(const char* path, Palette& palette, std::string& reason);
PalReadStatus ReadPalFile(const char* path, Palette& palette);
