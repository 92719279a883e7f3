// Palette: the 256 colours of an SHP sprite, in index order, 8 bits per channel in memory.
// PAL files store 6 bits per channel (see pal_file.h); index 0 is an ordinary colour.
#pragma once

#include <array>
#include <cstdint>

struct PaletteColour {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;

  friend bool operator==(const PaletteColour&, const PaletteColour&) = default;
};

inline constexpr int kPaletteSize = 256;
using Palette = std::array<PaletteColour, kPaletteSize>;
