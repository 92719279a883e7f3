// PAL files through the reader, and the 6-bit round trip of what it read; the same bytes
// through the tool's check of a palette it is given, which names what anything else is.
#include <algorithm>
#include <cstdlib>

#include "fuzz_support.h"
#include "pal_file.h"
#include "palette_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = WriteFuzzFile("palette.pal", data, size);
  // Accepted exactly when it is 768 bytes of values 0..63.
  const bool isPal = size == kPalFileSize && std::all_of(data, data + size, [](std::uint8_t b) { return b <= 63; });
  if (PaletteFileProblem(path).empty() != isPal) std::abort();
  Palette palette;
  std::string reason;
  if (ReadPalFile(path.c_str(), palette, reason) != PalReadStatus::kOk) return 0;
  // Bytes of 6 bits survive the trip to 8 bits and back.
  const PalBytes bytes = PalBytesFromPalette(palette);
  for (std::size_t i = 0; i < kPalFileSize; ++i)
    if (bytes[i] != (data[i] & 63)) std::abort();
  return 0;
}
