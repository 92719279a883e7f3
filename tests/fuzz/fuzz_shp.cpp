// SHP sprites: the parser, every frame's decoder, and frame 0 as a picture, as
// `vantorel inspect` uses them.
#include <memory>
#include <new>

#include "palette.h"
#include "shp_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ShpSprite sprite;
  std::string error;
  if (!ParseShp(data, size, sprite, error)) return 0;
  const std::size_t canvasSize = std::size_t{sprite.header.width} * sprite.header.height;
  if (canvasSize <= (std::size_t{1} << 22)) {
    std::unique_ptr<std::uint8_t[]> canvas(new (std::nothrow) std::uint8_t[canvasSize]);
    for (std::size_t i = 0; canvas && i < sprite.frames.size() && i < 64; ++i)
      DecodeShpFrame(data, size, sprite, i, canvas.get(), error);
  }
  Palette palette{};
  MemoryImage picture;
  DecodeShpFrameToImage(data, size, sprite, 0, palette, picture, error);
  return 0;
}
