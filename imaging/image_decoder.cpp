#include "image_decoder.h"

#include <stb/stb_image.h>

#include <climits>

#include "image_format_checks.h"
#include "spng_rows.h"

extern "C" int vantorel_stbi_format(const unsigned char* data, int size);

ImageFormat DetectImageFormat(const std::uint8_t* data, std::size_t size) {
  if (!data || size == 0 || size > static_cast<std::size_t>(INT_MAX)) return ImageFormat::Unknown;
  switch (vantorel_stbi_format(data, static_cast<int>(size))) {
    case 1: return ImageFormat::Png;
    case 2: return ImageFormat::Bmp;
    case 3: return ImageFormat::Gif;
    case 4: return ImageFormat::Jpeg;
    case 5: return ImageFormat::Tga;
    default: return ImageFormat::Unknown;
  }
}

bool CheckImageBytes(const std::uint8_t* data, std::size_t size, ImageHeader& header, std::string& reason) {
  header = {};
  if (size == 0) return reason = "the file is empty", false;
  header.format = DetectImageFormat(data, size);
  const ByteView bytes(data, size);
  bool ok = false;
  switch (header.format) {
    case ImageFormat::Png: ok = CheckPng(bytes, header, reason); break;
    case ImageFormat::Bmp: ok = CheckBmp(bytes, header, reason); break;
    case ImageFormat::Gif: ok = CheckGif(bytes, header, reason); break;
    case ImageFormat::Jpeg: ok = CheckJpeg(bytes, header, reason); break;
    case ImageFormat::Tga: ok = CheckTga(bytes, header, reason); break;
    case ImageFormat::Unknown: reason = "unsupported format (not a PNG, BMP, JPEG, TGA or GIF image)"; return false;
  }
  if (ok && (header.width <= 0 || header.height <= 0)) ok = (reason = "the image has no pixels", false);
  if (ok) ok = WithinImageLimits(header.width, header.height, reason);
  return ok;
}

bool DecodeImageRows(const std::uint8_t* data, std::size_t size, const ImageHeader& header, int rowCount,
                     const std::function<Pixel*(int)>& rowAt, std::string& reason) {
  const int rows = rowCount < header.height ? (rowCount < 0 ? 0 : rowCount) : header.height;
  // PNG files go to libspng; stb_image gets the last word on a file it refuses (such as
  // variants only stb_image converts), as it decodes the other formats.
  if (header.format == ImageFormat::Png && DecodePngRows(data, size, rows, rowAt, reason)) return true;
  int width = 0, height = 0, components = 0;
  unsigned char* rgba = stbi_load_from_memory(data, static_cast<int>(size), &width, &height, &components, 4);
  if (!rgba) {
    reason = std::string("corrupt or unsupported ") + ImageFormatName(header.format) + " file (" +
             stbi_failure_reason() + ")";
    return false;
  }
  const bool same = width == header.width && height == header.height;
  if (same) {
    for (int y = 0; y < rows; ++y) {
      const unsigned char* in = rgba + static_cast<std::size_t>(y) * width * 4;
      Pixel* out = rowAt(y);
      for (int x = 0; x < width; ++x, in += 4) out[x] = MakePixel(in[0], in[1], in[2]);
    }
  } else {
    reason = "corrupt " + std::string(ImageFormatName(header.format)) + " file: its size changed while decoding";
  }
  stbi_image_free(rgba);
  return same;
}

bool DecodeImageBytes(const std::uint8_t* data, std::size_t size, const ImageHeader& header, Pixel* pixels,
                      std::string& reason) {
  const auto rowAt = [&](int y) { return pixels + static_cast<std::size_t>(y) * header.width; };
  return DecodeImageRows(data, size, header, header.height, rowAt, reason);
}
