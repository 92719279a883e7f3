// The picture an SHP export would show: the composed screen reduced with the export's
// settings, each pixel drawn as its palette entry reads back from the PAL file (6-bit
// values shifted left by 2), so it equals the decoded SHP and PAL of that export.
#pragma once

#include <functional>

#include "image.h"
#include "palette.h"
#include "shp_export.h"

enum class PreviewOutcome {
  Done,
  Cancelled,    // `cancelled` answered true; `out` holds anything
  OutOfMemory,
  NotPossible,  // the settings cannot export (keeping index 0 free with one colour)
};

// Reduces `picture` into `out`, which must already have the picture's size. The palette
// comes from `settings` as the export builds it (paletteMode, colourCount, quantizer,
// keepIndex0); for ExistingPalette, `existing` is the palette read from its file (8-bit,
// as ReadPalFile gives it) and the path is not read here. `cancelled` is asked between the
// steps and after every mapped row. `psnr` gets the picture's PSNR against `picture` in dB
// (infinity when they are equal).
PreviewOutcome RenderExportPreview(const Image& picture, const ShpExportSettings& settings, const Palette& existing,
                                   Image& out, double& psnr, const std::function<bool()>& cancelled = {});

// True where the preview is too slow to keep up with the keys: the best quantizer or
// dithering. The octree without dithering refreshes within a frame.
bool ExportPreviewNeedsWorker(const ShpExportSettings& settings);

// The peak signal-to-noise ratio of `b` against `a` over the red, green and blue channels,
// in dB; infinity when they are equal, 0 when the sizes differ or either is empty.
double PicturePsnr(const Image& a, const Image& b);
