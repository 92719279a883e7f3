#include "image_bytes.h"

#include <cstdio>
#include <utility>
#include <vector>

#include "image_decoder.h"
#include "image_header.h"
#include "read_file.h"

namespace {

// Enough for every format's test: the PNG and GIF signatures, the BMP and TGA headers and
// the JPEG start of image.
constexpr std::size_t kLeadingBytes = 64;

}  // namespace

bool DecodePngBytes(const std::uint8_t* data, std::size_t size, MemoryImage& picture, std::string& reason) {
  if (size > kMaxImageFileSize)
    return reason = "the PNG image is larger than " + std::to_string(kMaxImageFileSize) + " bytes", false;
  const ImageFormat format = DetectImageFormat(data, size);
  if (format != ImageFormat::Png) {
    reason = format == ImageFormat::Unknown
                 ? std::string("it is not a PNG image")
                 : std::string("it is a ") + ImageFormatName(format) + " image, not a PNG image";
    return false;
  }
  ImageHeader header;
  if (!CheckImageBytes(data, size, header, reason)) return false;
  MemoryImage decoded;
  // The header has been checked against the limits, so this allocation is bounded.
  if (!decoded.Allocate(header.width, header.height)) return reason = "out of memory for the picture", false;
  if (!DecodeImageRows(
          data, size, header, header.height, [&decoded](int y) { return decoded.GetRow(y); }, reason))
    return false;
  picture = std::move(decoded);
  return true;
}

bool FileStartsAsImage(const std::string& path) {
  std::string reason;
  std::FILE* file = OpenRegularFileStream(path, reason);
  if (!file) return false;
  std::vector<std::uint8_t> start(kLeadingBytes);
  const std::size_t read = std::fread(start.data(), 1, start.size(), file);
  std::fclose(file);
  return DetectImageFormat(start.data(), read) != ImageFormat::Unknown;
}
