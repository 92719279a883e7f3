// The load screen of the games' 640 x 480 mode: a 640 x 400 picture between the same title
// bar and progress strip as the 800 x 600 mode, drawn with the 800 picture's palette (the
// mode has no palette of its own). It is the 800 x 520 screen shrunk by the sRGB resize the
// screenshot scale uses (srgb_resize.h) and mapped to that palette exactly as the 800
// picture is: the same entries, dithering and colour distance (ExportMappingOptions).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image.h"
#include "load_screen_document.h"
#include "memory_image.h"
#include "palette.h"
#include "picture_mapping.h"

inline constexpr int kLs640Width = 640;
inline constexpr int kLs640Height = 400;

// `screen` (the composed 800 x 520 picture; any valid size is taken whole) shrunk to
// 640 x 400. False when the screen holds no pixels or memory runs short.
bool ShrinkToLs640(const Image& screen, MemoryImage& shrunk);

// The 640 picture's palette indices, kLs640Width * kLs640Height of them, rows from the top:
// `screen` shrunk and mapped to `palette` with `mapping` (the 800 export's options; its
// `colours` are the 800 picture's and are not used here). False as ShrinkToLs640, or when
// the mapping runs out of memory.
bool MapLs640Picture(const Image& screen, const Palette& palette, const MappingOptions& mapping,
                     std::vector<std::uint8_t>& indices);

// The 640 picture as the game draws it, for a preview: each pixel its entry's colour as the
// PAL file stores it (6-bit values shifted left by 2). The document is rendered first.
bool RenderLs640Picture(const LoadScreenDocument& document, const Palette& palette, const MappingOptions& mapping,
                        MemoryImage& shown);

// The whole SHP file of the 640 picture: one raw frame of the indices MapLs640Picture gives.
bool Ls640ShpBytes(const Image& screen, const Palette& palette, const MappingOptions& mapping,
                   std::vector<std::uint8_t>& bytes);

// The 640 picture's file name, made from the 800 picture's (a file name, no folder): `6`
// added to the base name; a base of exactly 8 characters, full in the games' 8.3 form, gets
// the `6` in place of its first character instead (a `4` when that is a `6`). The extension
// is kept. So an 8.3 name gives an 8.3 name, never the 800 name itself, and screens numbered
// at the end keep their numbers: SOV01.SHP gives SOV016.SHP, LSALLY01.SHP gives
// 6SALLY01.SHP, 6SALLY01.SHP gives 4SALLY01.SHP.
std::string Ls640NameFor(const std::string& ls800Name);
