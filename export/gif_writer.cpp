#include "gif_writer.h"

#include <gif_lib.h>

#include <cstdint>
#include <memory>
#include <new>

#include "image_lib.h"
#include "memory_image.h"
#include "palette_builder.h"
#include "picture_mapping.h"

namespace {

int AppendOutput(GifFileType* gif, const GifByteType* data, int size) {
  auto* out = static_cast<std::vector<unsigned char>*>(gif->UserData);
  out->insert(out->end(), data, data + size);
  return size;
}

struct ColourMapFree {
  void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

// giflib's calls in their order; any failure stops the rest. The file is closed (and its
// structure freed) whatever happened.
bool WriteFrame(int width, int height, const Palette& palette, const std::uint8_t* indices,
                std::vector<unsigned char>& out) {
  GifColorType colours[kPaletteSize];
  for (int i = 0; i < kPaletteSize; ++i) colours[i] = {palette[i].red, palette[i].green, palette[i].blue};
  std::unique_ptr<ColorMapObject, ColourMapFree> map(GifMakeMapObject(kPaletteSize, colours));
  if (!map) return false;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, AppendOutput, &error);
  if (!gif) return false;
  bool ok = EGifPutScreenDesc(gif, width, height, 8, 0, map.get()) == GIF_OK &&
            EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_OK;
  for (int y = 0; ok && y < height; ++y)
    ok = EGifPutLine(gif, const_cast<GifPixelType*>(indices + static_cast<std::size_t>(y) * width), width) == GIF_OK;
  return EGifCloseFile(gif, &error) == GIF_OK && ok;
}

}  // namespace

bool EncodeGif(int width, int height, const unsigned char* rgb, std::vector<unsigned char>& bytes) {
  if (width <= 0 || height <= 0 || width > 65535 || height > 65535) return false;
  MemoryImage picture;
  if (!picture.Allocate(width, height)) return false;
  for (int y = 0; y < height; ++y) {
    Pixel* row = picture.GetRow(y);
    const unsigned char* in = rgb + static_cast<std::size_t>(y) * width * 3;
    for (int x = 0; x < width; ++x, in += 3) row[x] = MakePixel(in[0], in[1], in[2]);
  }
  Palette palette;
  if (!BuildNewPalette(picture, Quantizer::Octree, kPaletteSize, 0, palette)) return false;
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  std::unique_ptr<std::uint8_t[]> indices(new (std::nothrow) std::uint8_t[count]);
  if (!indices || !MapPicture(picture, palette, MappingOptions{}, indices.get())) return false;
  std::vector<unsigned char> out;
  if (!WriteFrame(width, height, palette, indices.get(), out)) return false;
  bytes.insert(bytes.end(), out.begin(), out.end());
  return true;
}

void EnableGifWriting() { SetGifEncoder(EncodeGif); }
