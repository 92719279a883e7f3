#include "ls640_picture.h"

#include <new>

#include "pal_file.h"
#include "renderer.h"
#include "shp_format.h"
#include "srgb_resize.h"

bool ShrinkToLs640(const Image& screen, MemoryImage& shrunk) {
  return ResizeRegionSrgb(shrunk, screen, 0, 0, screen.width, screen.height, kLs640Width, kLs640Height);
}

bool MapLs640Picture(const Image& screen, const Palette& palette, const MappingOptions& mapping,
                     std::vector<std::uint8_t>& indices) {
  MemoryImage shrunk;
  if (!ShrinkToLs640(screen, shrunk)) return false;
  MappingOptions mine = mapping;
  mine.colours = nullptr;  // counted on the 800 picture, whose colours these are not
  try {
    indices.assign(static_cast<std::size_t>(kLs640Width) * kLs640Height, 0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return MapPicture(shrunk, palette, mine, indices.data());
}

bool RenderLs640Picture(const LoadScreenDocument& document, const Palette& palette, const MappingOptions& mapping,
                        MemoryImage& shown) {
  MemoryImage screen;
  if (!screen.Allocate(CanvasWidth, CanvasHeight)) return false;
  RenderLoadScreen(document, &screen);
  std::vector<std::uint8_t> indices;
  if (!MapLs640Picture(screen, palette, mapping, indices) || !shown.Allocate(kLs640Width, kLs640Height)) return false;
  const Palette stored = PaletteFromPalBytes(PalBytesFromPalette(palette));
  const std::uint8_t* index = indices.data();
  for (int y = 0; y < kLs640Height; ++y) {
    Pixel* row = shown.GetRow(y);
    for (int x = 0; x < kLs640Width; ++x, ++index) {
      const PaletteColour& colour = stored[*index];
      row[x] = MakePixel(colour.red, colour.green, colour.blue);
    }
  }
  return true;
}

bool Ls640ShpBytes(const Image& screen, const Palette& palette, const MappingOptions& mapping,
                   std::vector<std::uint8_t>& bytes) {
  std::vector<std::uint8_t> indices;
  if (!MapLs640Picture(screen, palette, mapping, indices)) return false;
  std::uint8_t headers[kOneFrameShpHeadersSize];
  EncodeOneFrameShpHeaders(kLs640Width, kLs640Height, headers);
  try {
    bytes.assign(headers, headers + kOneFrameShpHeadersSize);
    bytes.insert(bytes.end(), indices.begin(), indices.end());
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

std::string Ls640NameFor(const std::string& ls800Name) {
  const std::size_t dot = ls800Name.rfind('.');
  const std::size_t baseLength = dot == std::string::npos || dot == 0 ? ls800Name.size() : dot;
  std::string base = ls800Name.substr(0, baseLength);
  // Campaigns number their screens at the end of the name, so an 8-character base (full in
  // the 8.3 form) gives up its first character rather than its last.
  if (base.size() != 8)
    base += '6';
  else
    base.front() = base.front() == '6' ? '4' : '6';
  return base + ls800Name.substr(baseLength);
}
