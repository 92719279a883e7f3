#include "shp_export.h"

#include <algorithm>

#include <cctype>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <optional>
#include <vector>

#include "file_class.h"
#include "file_replacement.h"
#include "image_files.h"
#include "ls640_picture.h"
#include "memory_image.h"
#include "pal_file.h"
#include "picture_mapping.h"
#include "renderer.h"
#include "shp_format.h"

namespace {

constexpr char kPalOpenError[] = "PAL file open error!";
constexpr char kPalReadError[] = "PAL file read error!";
constexpr char kShpOpenError[] = "SHP file open error!";
constexpr char kShpFileHeaderError[] = "SHP file write error (SHP2FILEHEADER)!";
constexpr char kShpFrameHeaderError[] = "SHP file write error (SHP2FRAMEINFO)!";
constexpr char kShpImageDataError[] = "SHP file write error (Image data)!";
constexpr char kPalCreateError[] = "Palette file create error!";
constexpr char kPalWriteError[] = "Palette file write error!";
constexpr char kPictureError[] = "The picture cannot be stored in an SHP file!";

constexpr int kProgressRowInterval = 50;

using enum ShpExportError;

ShpExportResult Failed(ShpExportError error, const std::string& message, const std::string& file,
                       const std::string& reason = {}) {
  ShpExportResult result;
  result.error = error;
  result.message = message;
  result.caption = "Error";
  result.file = file;
  result.reason = reason;
  return result;
}

void Step(const ExportProgress& progress) {
  if (progress) progress();
}

int ClampColourCount(int count) { return count < 1 ? 1 : count > kPaletteSize ? kPaletteSize : count; }

ShpExportResult WriteShpHeaders(FileClass& file, int width, int height) {
  std::uint8_t bytes[kOneFrameShpHeadersSize];
  EncodeOneFrameShpHeaders(width, height, bytes);
  if (!file.Write(bytes, kShpFileHeaderSize)) return Failed(kShpWrite, kShpFileHeaderError, "", file.ErrorText());
  if (!file.Write(bytes + kShpFileHeaderSize, kShpFrameHeaderSize))
    return Failed(kShpWrite, kShpFrameHeaderError, "", file.ErrorText());
  ShpExportResult ok;
  ok.success = true;
  return ok;
}

// Opens the replacement's temporary file for writing through FileClass.
bool OpenTemporary(FileReplacement& replacement, FileClass& file, std::string& reason) {
  if (reason = replacement.TargetProblem(); !reason.empty()) return false;
  if (file.SetName(replacement.temporaryPath().c_str()) && file.Open(FileClass::kWrite)) return true;
  reason = file.ErrorText();
  return false;
}

// Few pixels take entry 0, so a search from one to the next beats a look at every byte.
long CountZeros(const std::uint8_t* bytes, std::size_t size) {
  long zeros = 0;
  const std::uint8_t* end = bytes + size;
  for (const std::uint8_t* at = bytes; at < end; ++at, ++zeros) {
    at = static_cast<const std::uint8_t*>(std::memchr(at, 0, static_cast<std::size_t>(end - at)));
    if (!at) break;
  }
  return zeros;
}

}  // namespace

std::string DescribeShpExportFailure(const ShpExportResult& result) {
  std::string text = result.file.empty() ? result.message : result.file + ": " + result.message;
  if (!result.reason.empty()) text += " (" + result.reason + ")";
  return text;
}

MappingOptions ExportMappingOptions(const ShpExportSettings& settings) {
  MappingOptions mapping;
  mapping.count = ClampColourCount(settings.colourCount);
  mapping.first = settings.keepIndex0 ? 1 : 0;
  mapping.dither = settings.dither;
  mapping.threads = settings.threads;
  // The best palette is made for plain RGB distance; the rest keep the luma weights.
  if (settings.paletteMode == NewPalette && settings.quantizer == Quantizer::Best) mapping.weights = kPlainWeights;
  return mapping;
}

std::string Index0Note(const ShpExportResult& result) {
  if (!result.success || result.index0Pixels <= 0) return {};
  return std::to_string(result.index0Pixels) + (result.index0Pixels == 1 ? " pixel uses" : " pixels use") +
         " palette entry 0, which the games draw transparent.";
}

bool SameFilePath(const std::string& a, const std::string& b) {
  namespace fs = std::filesystem;
  std::error_code error;
  if (fs::equivalent(a, b, error)) return true;
  auto normal = [](const std::string& path) {
    std::error_code ignored;
    fs::path absolute = fs::absolute(path, ignored);
    if (absolute.empty()) absolute = path;
    std::string text = absolute.lexically_normal().string();
#ifdef _WIN32
    // Windows file names ignore case.
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
#endif
    return text;
  };
  return normal(a) == normal(b);
}

ShpExportResult ExportPictureAsShp(const Image& picture, const ShpExportSettings& settings,
                                   const ExportProgress& progress) {
  const int count = ClampColourCount(settings.colourCount);
  // An existing palette must survive too: an SHP written over it would destroy it.
  if (SameFilePath(settings.exportPath, settings.palettePath))
    return Failed(kSamePath, kSamePathMessage, settings.exportPath);
  if (!settings.ls640Path.empty() &&
      (SameFilePath(settings.ls640Path, settings.exportPath) || SameFilePath(settings.ls640Path, settings.palettePath)))
    return Failed(kSamePath, kLs640SamePathMessage, settings.ls640Path);
  if (!picture.valid || picture.width < 1 || picture.height < 1 || picture.width > kMaxImageSide ||
      picture.height > kMaxImageSide)
    return Failed(kPicture, kPictureError, "");
  const int width = picture.width, height = picture.height;
  const int first = settings.keepIndex0 ? 1 : 0;
  if (first >= count) return Failed(kIndex0NeedsTwoColours, kIndex0NeedsTwoColoursMessage, "");

  Palette palette;
  std::optional<ColourHistogram> colours;
  if (settings.paletteMode == ExistingPalette) {
    std::string reason;
    switch (ReadPalFile(settings.palettePath.c_str(), palette, reason)) {
      case PalReadStatus::kOpenError: return Failed(kPalOpen, kPalOpenError, settings.palettePath, reason);
      case PalReadStatus::kReadError: return Failed(kPalRead, kPalReadError, settings.palettePath, reason);
      case PalReadStatus::kOk: break;
    }
  } else {
    // The octree and the mapping share one count of the picture's colours.
    if (settings.quantizer == Quantizer::Octree && !settings.dither) {
      try {
        colours.emplace(picture, ColourHistogram::PixelIds::kKeep);
      } catch (const std::bad_alloc&) {
        // Each step then goes over the picture itself.
      }
    }
    if (!BuildNewPalette(picture, settings.quantizer, count, first, palette, colours ? &*colours : nullptr))
      return Failed(kOutOfMemory, kOutOfMemoryMessage, "");
  }
  Step(progress);

  FileReplacement shp(settings.exportPath);
  FileClass shpFile;
  std::string reason;
  if (!OpenTemporary(shp, shpFile, reason)) return Failed(kShpOpen, kShpOpenError, settings.exportPath, reason);
  ShpExportResult headers = WriteShpHeaders(shpFile, width, height);
  if (!headers.success) return Failed(headers.error, headers.message, settings.exportPath, headers.reason);

  const std::size_t pixelCount = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  std::unique_ptr<std::uint8_t[]> indices(new (std::nothrow) std::uint8_t[pixelCount]);
  if (!indices) return Failed(kOutOfMemory, kOutOfMemoryMessage, "");
  MappingOptions mapping = ExportMappingOptions(settings);
  mapping.colours = colours ? &*colours : nullptr;
  if (!MapPicture(picture, palette, mapping, indices.get(), [&](int y) {
        if (y % kProgressRowInterval == 0) Step(progress);
      }))
    return Failed(kOutOfMemory, kOutOfMemoryMessage, "");
  long index0Pixels = 0;
  if (first == 0 && !(palette[0] == PaletteColour{})) index0Pixels = CountZeros(indices.get(), pixelCount);
  colours.reset();
  if (!shpFile.Write(indices.get(), static_cast<std::uint32_t>(pixelCount)))
    return Failed(kShpWrite, kShpImageDataError, settings.exportPath, shpFile.ErrorText());
  Step(progress);
  indices.reset();

  std::optional<FileReplacement> ls640;
  if (!settings.ls640Path.empty()) {
    ls640.emplace(settings.ls640Path);
    std::vector<std::uint8_t> bytes;
    if (!Ls640ShpBytes(picture, palette, mapping, bytes)) return Failed(kOutOfMemory, kOutOfMemoryMessage, "");
    if (reason = ls640->TargetProblem(); !reason.empty() || !ls640->WriteAll(bytes.data(), bytes.size(), reason))
      return Failed(kShpOpen, kShpOpenError, settings.ls640Path, reason);
  }

  std::optional<FileReplacement> pal;
  FileClass palFile;
  std::vector<FileReplacement*> files;
  if (settings.paletteMode == NewPalette) {
    pal.emplace(settings.palettePath);
    if (!OpenTemporary(*pal, palFile, reason)) return Failed(kPalCreate, kPalCreateError, settings.palettePath, reason);
    const PalBytes bytes = PalBytesFromPalette(palette);
    if (!palFile.Write(bytes.data(), kPalFileSize))
      return Failed(kPalWrite, kPalWriteError, settings.palettePath, palFile.ErrorText());
    files.push_back(&*pal);
  }
  // Both files reach the disk before either takes its name; flushed side by side, the two
  // waits for the disk overlap (most file systems commit them together).
  const FlushResults flushed = FlushSideBySide(shpFile, palFile);
  if (!flushed.first) return Failed(kShpWrite, kShpImageDataError, settings.exportPath, shpFile.ErrorText());
  if (!flushed.second) return Failed(kPalWrite, kPalWriteError, settings.palettePath, palFile.ErrorText());
  shpFile.Close();
  palFile.Close();
  if (ls640) files.push_back(&*ls640);
  files.push_back(&shp);
  CommitFailure failure;
  // An export is made again from its scene at any time: its new names are left to the system.
  if (!CommitReplacements(files, failure, {}, NameFlush::kLeftToSystem))
    return failure.file == settings.palettePath ? Failed(kPalCreate, kPalCreateError, failure.file, failure.reason)
                                                : Failed(kShpOpen, kShpOpenError, failure.file, failure.reason);
  ShpExportResult ok;
  ok.success = true;
  ok.index0Pixels = index0Pixels;
  return ok;
}

ShpExportResult ExportShp(const LoadScreenDocument& document, const ShpExportSettings& settings,
                          const ExportProgress& progress) {
  MemoryImage picture;
  // The render paints every pixel, from its black fill on.
  if (!picture.Allocate(CanvasWidth, CanvasHeight)) return Failed(kOutOfMemory, kOutOfMemoryMessage, "");
  RenderLoadScreen(document, &picture);
  Step(progress);
  return ExportPictureAsShp(picture, settings, progress);
}
