#include "shp_export.h"

#include <cctype>
#include <filesystem>
#include <memory>
#include <new>
#include <optional>

#include "file_class.h"
#include "image_files.h"
#include "memory_image.h"
#include "picture_mapping.h"
#include "pal_file.h"
#include "renderer.h"
#include "replace_file.h"
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

ShpExportResult Failed(const std::string& message, const std::string& file) {
  ShpExportResult result;
  result.message = message;
  result.caption = "Error";
  result.file = file;
  return result;
}

void Step(const ExportProgress& progress) {
  if (progress) progress();
}

int ClampColorCount(int count) { return count < 1 ? 1 : count > kPaletteSize ? kPaletteSize : count; }

bool IsFolder(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::is_directory(path, ignored);
}

// Anything at the path, a dangling link included.
bool Exists(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::exists(std::filesystem::symlink_status(path, ignored));
}

// A file written under a temporary name beside its target; removed when the object goes
// unless it was moved over the target.
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::string& target) : path_(TempPathBeside(target, ".tmp")) {}
  ~TemporaryFile() {
    file_.Close();
    if (!moved_) RemoveFileQuietly(path_);
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  bool Create() { return file_.SetName(path_.c_str()) && file_.Open(FileClass::kWrite); }
  FileClass& file() { return file_; }
  const std::string& path() const { return path_; }
  void MarkMoved() { moved_ = true; }

 private:
  std::string path_;
  FileClass file_;
  bool moved_ = false;
};

ShpExportResult WriteShpHeaders(FileClass& file, int width, int height) {
  ShpFileHeader header;
  header.width = static_cast<std::uint16_t>(width);
  header.height = static_cast<std::uint16_t>(height);
  header.frameCount = 1;
  ShpFrameHeader frame;
  frame.width = header.width;
  frame.height = header.height;
  frame.dataOffset = kShpFileHeaderSize + kShpFrameHeaderSize;
  std::uint8_t headerBytes[kShpFileHeaderSize], frameBytes[kShpFrameHeaderSize];
  EncodeShpFileHeader(header, headerBytes);
  EncodeShpFrameHeader(frame, frameBytes);
  if (!file.Write(headerBytes, sizeof headerBytes)) return Failed(kShpFileHeaderError, "");
  if (!file.Write(frameBytes, sizeof frameBytes)) return Failed(kShpFrameHeaderError, "");
  ShpExportResult ok;
  ok.success = true;
  return ok;
}

// Puts the finished temporaries in place: the PAL first (when there is one), then the SHP.
// If the SHP cannot follow, the earlier PAL is put back, so either both files are new or
// neither changed.
ShpExportResult CommitFiles(TemporaryFile& shp, const std::string& shpTarget, TemporaryFile* pal,
                            const std::string& palTarget) {
  if (IsFolder(shpTarget)) return Failed(kShpOpenError, shpTarget);
  std::string backup;
  if (pal) {
    if (IsFolder(palTarget)) return Failed(kPalCreateError, palTarget);
    if (Exists(palTarget)) {
      backup = TempPathBeside(palTarget, ".bak");
      if (!ReplaceFileWith(palTarget, backup)) return Failed(kPalCreateError, palTarget);
    }
    if (!ReplaceFileWith(pal->path(), palTarget)) {
      if (!backup.empty()) ReplaceFileWith(backup, palTarget);
      return Failed(kPalCreateError, palTarget);
    }
    pal->MarkMoved();
  }
  if (!ReplaceFileWith(shp.path(), shpTarget)) {
    if (pal) {
      if (!backup.empty()) ReplaceFileWith(backup, palTarget);
      else RemoveFileQuietly(palTarget);
    }
    return Failed(kShpOpenError, shpTarget);
  }
  shp.MarkMoved();
  if (!backup.empty()) RemoveFileQuietly(backup);
  ShpExportResult ok;
  ok.success = true;
  return ok;
}

}  // namespace

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
  const int count = ClampColorCount(settings.colorCount);
  // An existing palette must survive too: an SHP written over it would destroy it.
  if (SameFilePath(settings.exportPath, settings.palettePath)) return Failed(kSamePathMessage, settings.exportPath);
  if (!picture.valid || picture.width < 1 || picture.height < 1 || picture.width > kMaxImageSide ||
      picture.height > kMaxImageSide)
    return Failed(kPictureError, "");
  const int width = picture.width, height = picture.height;
  const int first = settings.keepIndex0 ? 1 : 0;
  if (first >= count) return Failed(kIndex0NeedsTwoColoursMessage, "");

  Palette palette;
  if (settings.paletteMode == ExistingPalette) {
    switch (ReadPalFile(settings.palettePath.c_str(), palette)) {
      case PalReadStatus::kOpenError: return Failed(kPalOpenError, settings.palettePath);
      case PalReadStatus::kReadError: return Failed(kPalReadError, settings.palettePath);
      case PalReadStatus::kOk: break;
    }
  } else if (!BuildNewPalette(picture, settings.quantizer, count, first, palette)) {
    return Failed(kOutOfMemoryMessage, "");
  }
  Step(progress);

  if (IsFolder(settings.exportPath)) return Failed(kShpOpenError, settings.exportPath);
  TemporaryFile shp(settings.exportPath);
  if (!shp.Create()) return Failed(kShpOpenError, settings.exportPath);
  ShpExportResult headers = WriteShpHeaders(shp.file(), width, height);
  if (!headers.success) return Failed(headers.message, settings.exportPath);

  const std::size_t pixelCount = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  std::unique_ptr<std::uint8_t[]> indices(new (std::nothrow) std::uint8_t[pixelCount]);
  if (!indices) return Failed(kOutOfMemoryMessage, "");
  MappingOptions mapping;
  mapping.count = count;
  mapping.first = first;
  mapping.dither = settings.dither;
  // The best palette is made for plain RGB distance; the rest keep the luma weights.
  if (settings.paletteMode == NewPalette && settings.quantizer == Quantizer::Best) mapping.weights = kPlainWeights;
  if (!MapPicture(picture, palette, mapping, indices.get(), [&](int y) {
        if (y % kProgressRowInterval == 0) Step(progress);
      }))
    return Failed(kOutOfMemoryMessage, "");
  if (!shp.file().Write(indices.get(), static_cast<std::uint32_t>(pixelCount)))
    return Failed(kShpImageDataError, settings.exportPath);
  Step(progress);
  indices.reset();
  shp.file().Close();

  std::optional<TemporaryFile> pal;
  if (settings.paletteMode == NewPalette) {
    if (IsFolder(settings.palettePath)) return Failed(kPalCreateError, settings.palettePath);
    pal.emplace(settings.palettePath);
    if (!pal->Create()) return Failed(kPalCreateError, settings.palettePath);
    const PalBytes bytes = PalBytesFromPalette(palette);
    if (!pal->file().Write(bytes.data(), kPalFileSize)) return Failed(kPalWriteError, settings.palettePath);
    pal->file().Close();
  }
  return CommitFiles(shp, settings.exportPath, pal ? &*pal : nullptr, settings.palettePath);
}

ShpExportResult ExportShp(const LoadScreenDocument& document, const ShpExportSettings& settings,
                          const ExportProgress& progress) {
  MemoryImage picture;
  // The render paints every pixel, from its black fill on.
  if (!picture.Allocate(CanvasWidth, CanvasHeight)) return Failed(kOutOfMemoryMessage, "");
  RenderLoadScreen(document, &picture);
  Step(progress);
  return ExportPictureAsShp(picture, settings, progress);
}
