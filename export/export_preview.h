// The picture an SHP export would show: the composed screen reduced with the export's
// settings, each pixel drawn as its palette entry reads back from the PAL file (6-bit
// values shifted left by 2), so it equals the decoded SHP and PAL of that export. It shows
// the 800 x 520 picture, or the 640 x 400 picture of the games' 640 x 480 mode
// (ls640_picture.h) as the export for the game writes it, centred on the canvas.
#pragma once

#include <functional>

#include "image.h"
#include "palette.h"
#include "pixel.h"
#include "shp_export.h"

// What the preview shows of the export.
struct PreviewShape {
  bool ls640 = false;       // the 640 x 400 picture in place of the 800 x 520 one
  bool markIndex0 = false;  // the pixels counted in PreviewStats::index0Pixels drawn kIndex0Mark
  bool operator==(const PreviewShape&) const = default;
};

// Pixels on a coloured palette entry 0, which the games draw transparent, when they are
// marked; and the canvas around the 640 x 400 picture, a neutral grey.
inline constexpr Pixel kIndex0Mark = MakePixel(0xFF, 0x00, 0xFF);
inline constexpr Pixel kLs640Surround = MakePixel(0x80, 0x80, 0x80);

struct PreviewStats {
  double psnr = 0;  // in dB against the full-colour picture (the shrunk one for the 640)
  // Pixels on palette entry 0 when it is not black and may be used: those the export counts
  // (ShpExportResult::index0Pixels); 0 otherwise.
  long index0Pixels = 0;
};

enum class PreviewOutcome {
  Done,
  Cancelled,  // `cancelled` answered true; `out` holds anything
  OutOfMemory,
  NotPossible,  // the settings cannot export (keeping index 0 free with one colour)
};

// Reduces `picture` into `out`, which must already have the picture's size (for the 640
// picture, at least 640 x 400: it is centred there on kLs640Surround). The palette comes
// from `settings` as the export builds it from `picture` (paletteMode, colourCount,
// quantizer, keepIndex0); for ExistingPalette, `existing` is the palette read from its
// file (8-bit, as ReadPalFile gives it) and the path is not read here. `cancelled` is
// asked between the steps and after every mapped row. `stats` gets the PSNR against the
// full-colour picture (infinity when they are equal; the marks do not count) and the
// entry-0 count.
PreviewOutcome RenderExportPreview(const Image& picture, const ShpExportSettings& settings, const Palette& existing,
                                   const PreviewShape& shape, Image& out, PreviewStats& stats,
                                   const std::function<bool()>& cancelled = {});

// True where the preview is too slow to keep up with the keys: the best quantizer,
// dithering, or the 640 picture's resize on top of the palette. The 800 picture with the
// octree and without dithering refreshes within a frame.
bool ExportPreviewNeedsWorker(const ShpExportSettings& settings, const PreviewShape& shape = {});

// The peak signal-to-noise ratio of `b` against `a` over the red, green and blue channels,
// in dB; infinity when they are equal, 0 when the sizes differ or either is empty.
double PicturePsnr(const Image& a, const Image& b);
