#include "file_kind.h"

#include "image_decoder.h"
#include "mix_archive.h"
#include "pal_file.h"
#include "shp_reader.h"

namespace {

bool IsPal(const std::uint8_t* data, std::size_t size) {
  if (size != kPalFileSize) return false;
  for (std::size_t i = 0; i < size; ++i)
    if (data[i] > 63) return false;
  return true;
}

bool IsText(const std::uint8_t* data, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) {
    const std::uint8_t c = data[i];
    if (c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f') return false;
  }
  return size > 0;
}

std::string ImageInWords(const std::uint8_t* data, std::size_t size) {
  const ImageFormat format = DetectImageFormat(data, size);
  if (format == ImageFormat::Unknown) return {};
  ImageHeader header;
  std::string ignored;
  const bool whole = CheckImageBytes(data, size, header, ignored);
  // A TGA file has no signature: only one that holds together is called one.
  if (format == ImageFormat::Tga && !whole) return {};
  std::string words = std::string("a ") + ImageFormatName(format) + " image";
  if (whole) words += " (" + std::to_string(header.width) + " x " + std::to_string(header.height) + ")";
  return words;
}

}  // namespace

FileKind KindOfContent(const std::uint8_t* data, std::size_t size) {
  if (IsPal(data, size)) return FileKind::kPal;
  ShpSprite sprite;
  std::string ignored;
  if (ParseShp(data, size, sprite, ignored)) return FileKind::kShp;
  MixIndex index;
  switch (ReadMixIndex(data, size, index, ignored)) {
    // Only with the two flags an archive has: bytes 2 and 3 of a palette (the first
    // colour's blue, the second's red) can set the encryption bit among others.
    case MixReadStatus::kEncrypted:
      return index.flags & ~(kMixFlagChecksum | kMixFlagEncrypted) ? FileKind::kOther : FileKind::kMix;
    case MixReadStatus::kDamaged: return FileKind::kOther;
    case MixReadStatus::kOk: break;
  }
  // The reader allows bytes after the body; told by content alone, an archive must end
  // where its body (and checksum) does, or any run of zero bytes would be an empty one.
  const std::size_t end = index.bodyStart + index.bodySize + (index.flags & kMixFlagChecksum ? 20 : 0);
  return size == end ? FileKind::kMix : FileKind::kOther;
}

std::string DescribeContent(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return "an empty file";
  switch (KindOfContent(data, size)) {
    case FileKind::kPal: return "a PAL palette";
    case FileKind::kShp: return "an SHP sprite";
    case FileKind::kMix: return "a MIX archive";
    case FileKind::kOther: break;
  }
  if (std::string image = ImageInWords(data, size); !image.empty()) return image;
  if (size >= 2 && ((data[0] == 0xFF && data[1] == 0xFE) || (data[0] == 0xFE && data[1] == 0xFF))) return "UTF-16 text";
  return IsText(data, size) ? "text" : "";
}
