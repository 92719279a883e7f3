// PAL files through the reader, and the 6-bit round trip of what it read.
#include <cstdlib>

#include "fuzz_support.h"
#include "pal_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = WriteFuzzFile("palette.pal", data, size);
  Palette palette;
  std::string reason;
  if (ReadPalFile(path.c_str(), palette, reason) != PalReadStatus::kOk) return 0;
  // Bytes of 6 bits survive the trip to 8 bits and back.
  const PalBytes bytes = PalBytesFromPalette(palette);
  for (std::size_t i = 0; i < kPalFileSize; ++i)
    if (bytes[i] != (data[i] & 63)) std::abort();
  return 0;
}
