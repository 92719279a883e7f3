// Image files of every format: the checks, then the decoder on whatever passes them, as
// LoadImageFile does after reading the file.
#include <memory>
#include <new>
#include <string>

#include "image_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ImageHeader header;
  std::string reason;
  if (!CheckImageBytes(data, size, header, reason)) return 0;
  std::unique_ptr<Pixel[]> pixels(new (std::nothrow) Pixel[static_cast<std::size_t>(header.width) * header.height]);
  if (pixels) DecodeImageBytes(data, size, header, pixels.get(), reason);
  return 0;
}
