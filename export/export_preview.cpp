#include "export_preview.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <new>

#include "ls640_picture.h"
#include "memory_image.h"
#include "pal_file.h"
#include "picture_mapping.h"

namespace {

// Thrown from the row callback to leave the mapping when a newer picture is waiting; it
// never leaves RenderExportPreview.
struct MappingCancelled {};

bool Asked(const std::function<bool()>& cancelled) { return cancelled && cancelled(); }

}  // namespace

bool ExportPreviewNeedsWorker(const ShpExportSettings& settings, const PreviewShape& shape) {
  return shape.ls640 || settings.dither ||
         (settings.paletteMode == NewPalette && settings.quantizer == Quantizer::Best);
}

PreviewOutcome RenderExportPreview(const Image& picture, const ShpExportSettings& settings, const Palette& existing,
                                   const PreviewShape& shape, Image& out, PreviewStats& stats,
                                   const std::function<bool()>& cancelled) {
  if (!picture.valid || !out.valid || out.width != picture.width || out.height != picture.height ||
      (shape.ls640 && (out.width < kLs640Width || out.height < kLs640Height)))
    return PreviewOutcome::NotPossible;
  const MappingOptions mapping = ExportMappingOptions(settings);
  if (mapping.first >= mapping.count) return PreviewOutcome::NotPossible;

  Palette palette = existing;
  if (settings.paletteMode == NewPalette &&
      !BuildNewPalette(picture, settings.quantizer, mapping.count, mapping.first, palette))
    return PreviewOutcome::OutOfMemory;
  if (Asked(cancelled)) return PreviewOutcome::Cancelled;
  // What a reader of the files gets: the palette through the PAL file's 6 bits.
  const Palette shown = PaletteFromPalBytes(PalBytesFromPalette(palette));

  // The 640 picture is the screen shrunk, mapped as the export for the game maps it
  // (MapLs640Picture), and drawn apart before it is placed.
  MemoryImage shrunk, small;
  if (shape.ls640 && (!ShrinkToLs640(picture, shrunk) || !small.Allocate(kLs640Width, kLs640Height)))
    return PreviewOutcome::OutOfMemory;
  const Image& source = shape.ls640 ? static_cast<const Image&>(shrunk) : picture;
  Image& drawn = shape.ls640 ? static_cast<Image&>(small) : out;
  const std::size_t pixels = static_cast<std::size_t>(source.width) * static_cast<std::size_t>(source.height);
  std::unique_ptr<std::uint8_t[]> indices(new (std::nothrow) std::uint8_t[pixels]);
  if (!indices) return PreviewOutcome::OutOfMemory;
  try {
    if (!MapPicture(source, palette, mapping, indices.get(), [&](int) {
          if (Asked(cancelled)) throw MappingCancelled{};
        }))
      return PreviewOutcome::OutOfMemory;
  } catch (const MappingCancelled&) {
    return PreviewOutcome::Cancelled;
  }

  const std::uint8_t* index = indices.get();
  for (int y = 0; y < drawn.height; ++y) {
    Pixel* row = drawn.GetRow(y);
    for (int x = 0; x < drawn.width; ++x, ++index) {
      const PaletteColour& colour = shown[*index];
      row[x] = MakePixel(colour.red, colour.green, colour.blue);
    }
  }
  stats.psnr = PicturePsnr(source, drawn);
  // Counted as the export counts them: on an entry 0 that is not black and may be used.
  stats.index0Pixels = 0;
  if (mapping.first == 0 && !(palette[0] == PaletteColour{}))
    stats.index0Pixels = static_cast<long>(std::count(indices.get(), indices.get() + pixels, std::uint8_t{0}));
  if (shape.markIndex0 && stats.index0Pixels > 0) {
    index = indices.get();
    for (int y = 0; y < drawn.height; ++y) {
      Pixel* row = drawn.GetRow(y);
      for (int x = 0; x < drawn.width; ++x, ++index)
        if (*index == 0) row[x] = kIndex0Mark;
    }
  }
  if (shape.ls640) {
    out.Fill(kLs640Surround);
    out.PasteRect(small, (out.width - kLs640Width) / 2, (out.height - kLs640Height) / 2, 0, 0, kLs640Width,
                  kLs640Height);
  }
  return PreviewOutcome::Done;
}

double PicturePsnr(const Image& a, const Image& b) {
  if (!a.valid || !b.valid || a.width != b.width || a.height != b.height || a.width < 1 || a.height < 1) return 0;
  std::uint64_t squares = 0;
  for (int y = 0; y < a.height; ++y) {
    const Pixel* rowA = a.GetRow(y);
    const Pixel* rowB = b.GetRow(y);
    for (int x = 0; x < a.width; ++x) {
      const int red = static_cast<int>(RedOf(rowA[x])) - static_cast<int>(RedOf(rowB[x]));
      const int green = static_cast<int>(GreenOf(rowA[x])) - static_cast<int>(GreenOf(rowB[x]));
      const int blue = static_cast<int>(BlueOf(rowA[x])) - static_cast<int>(BlueOf(rowB[x]));
      squares += static_cast<std::uint64_t>(red * red + green * green + blue * blue);
    }
  }
  if (squares == 0) return std::numeric_limits<double>::infinity();
  const double mean = static_cast<double>(squares) / (3.0 * a.width * a.height);
  return 10.0 * std::log10(255.0 * 255.0 / mean);
}
