#include "pal_file.h"

#include "file_class.h"

Palette PaletteFromPalBytes(const PalBytes& bytes) {
  Palette palette;
  for (int i = 0; i < kPaletteSize; ++i) {
    palette[i].red = static_cast<std::uint8_t>(bytes[3 * i] << 2);
    palette[i].green = static_cast<std::uint8_t>(bytes[3 * i + 1] << 2);
    palette[i].blue = static_cast<std::uint8_t>(bytes[3 * i + 2] << 2);
  }
  return palette;
}

PalBytes PalBytesFromPalette(const Palette& palette) {
  PalBytes bytes;
  for (int i = 0; i < kPaletteSize; ++i) {
    bytes[3 * i] = static_cast<std::uint8_t>(palette[i].red >> 2);
    bytes[3 * i + 1] = static_cast<std::uint8_t>(palette[i].green >> 2);
    bytes[3 * i + 2] = static_cast<std::uint8_t>(palette[i].blue >> 2);
  }
  return bytes;
}

PalReadStatus ReadPalFile(const char* path, Palette& palette, std::string& reason) {
  FileClass file;
  if (!file.SetName(path) || !file.Open(FileClass::kRead)) {
    reason = file.ErrorText();
    return PalReadStatus::kOpenError;
  }
  PalBytes bytes;
  if (!file.Read(bytes.data(), kPalFileSize)) {
    const std::uint64_t size = file.GetSize();
    reason = size < kPalFileSize
                 ? "the file has " + std::to_string(size) + " bytes, a palette needs " + std::to_string(kPalFileSize)
                 : file.ErrorText();
    return PalReadStatus::kReadError;
  }
  palette = PaletteFromPalBytes(bytes);
  return PalReadStatus::kOk;
}

PalReadStatus ReadPalFile(const char* path, Palette& palette) {
  std::string ignored;
  return ReadPalFile(path, palette, ignored);
}
