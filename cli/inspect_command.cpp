#include "inspect_command.h"

#include <algorithm>
#include <cstdio>

#include "command_line.h"
#include "file_kind.h"
#include "image_files.h"
#include "image_lib.h"
#include "mix_inspect.h"
#include "pal_file.h"
#include "palette_check.h"
#include "scene_inputs.h"
#include "shp_reader.h"

namespace {

constexpr int kSwatchCell = 16;  // pixels a side of one colour in the swatch

// One line per frame; printf's %zu is not there on every C runtime, hence to_string.
void PrintFrame(std::size_t index, const ShpFrameHeader& frame) {
  const std::string name = "frame " + std::to_string(index) + ": ";
  if (frame.dataOffset == 0) {
    std::printf("%sempty\n", name.c_str());
    return;
  }
  std::printf("%sx %u, y %u, %u x %u, flags %u (%s), colour 0x%08X, offset %u\n", name.c_str(), frame.x, frame.y,
              frame.width, frame.height, static_cast<unsigned>(frame.flags),
              frame.flags & kShpFlagCompressed ? "compressed" : "raw", static_cast<unsigned>(frame.color),
              static_cast<unsigned>(frame.dataOffset));
}

// Why the picture cannot be written to `out`, as the exit code of its message; 0 when it
// can: a name of a picture type, and none of the files the run reads.
int SaveProblem(const std::string* out, const std::vector<InputFile>& inputs) {
  if (!out) return 0;
  if (const std::string problem = ImageSaveProblem(out->c_str()); !problem.empty())
    return Failure(*out + ": cannot write the image: " + problem);
  if (const std::string clash = OutputOverInputProblem({*out}, inputs); !clash.empty()) return Failure(clash);
  return 0;
}

int SavePicture(const std::string& out, const MemoryImage& picture) {
  std::string error;
  if (!InitImageFiles()) return Failure("the image library did not start");
  if (!SaveImageFile(out.c_str(), picture, error)) return Failure(out + ": cannot write the image: " + error);
  return 0;
}

int InspectShp(const std::string& path, const FileBytes& bytes, const Arguments& args) {
  const std::string* palettePath = args.Option("--palette");
  const std::string* out = args.Option("-o");
  if (!palettePath != !out)
    return UsageError("inspect of an SHP sprite needs both --palette P.pal and -o OUT.png, or neither");
  if (const int code = SaveProblem(out, {{path, "the SHP file"}, {palettePath ? *palettePath : "", "the palette"}}))
    return code;
  std::string error;
  ShpSprite sprite;
  if (!ParseShp(bytes.data.get(), bytes.size, sprite, error)) return Failure(path + ": " + error);

  Palette palette;
  if (palettePath) {
    if (const std::string problem = PaletteFileProblem(*palettePath); !problem.empty()) return Failure(problem);
    if (ReadPalFile(palettePath->c_str(), palette, error) != PalReadStatus::kOk)
      return Failure(*palettePath + ": PAL file read error! (" + error + ")");
  }

  std::printf("%s: %u x %u, %u frame%s, %s bytes\n", path.c_str(), sprite.header.width, sprite.header.height,
              sprite.header.frameCount, sprite.header.frameCount == 1 ? "" : "s", std::to_string(bytes.size).c_str());
  for (std::size_t i = 0; i < sprite.frames.size(); ++i) PrintFrame(i, sprite.frames[i]);
  if (!palettePath) return 0;

  MemoryImage picture;
  if (!DecodeShpFrameToImage(bytes.data.get(), bytes.size, sprite, 0, palette, picture, error))
    return Failure(path + ": " + error);
  return SavePicture(*out, picture);
}

// A palette: its 256 colours as stored (6 bits) and as the games show them (times 4); with
// -o a 16 x 16 swatch of them, entry 0 at the top left, row by row.
int InspectPal(const std::string& path, const FileBytes& bytes, const Arguments& args) {
  const std::string* out = args.Option("-o");
  if (args.Has("--palette")) return UsageError("a PAL palette is inspected on its own: leave out --palette");
  if (const int code = SaveProblem(out, {{path, "the palette"}})) return code;
  PalBytes stored;
  std::copy(bytes.data.get(), bytes.data.get() + kPalFileSize, stored.begin());
  const Palette shown = PaletteFromPalBytes(stored);
  std::printf("%s: PAL palette, 256 colours (red green blue as stored, 0..63, and as the games show them)\n",
              path.c_str());
  for (int i = 0; i < kPaletteSize; ++i)
    std::printf("%3d: %2u %2u %2u  #%02X%02X%02X\n", i, stored[3 * i], stored[3 * i + 1], stored[3 * i + 2],
                shown[i].red, shown[i].green, shown[i].blue);
  if (!out) return 0;
  MemoryImage swatch;
  if (!swatch.Create(16 * kSwatchCell, 16 * kSwatchCell)) return Failure("out of memory for the swatch");
  for (int y = 0; y < swatch.height; ++y)
    for (int x = 0; x < swatch.width; ++x) {
      const PaletteColour& c = shown[(y / kSwatchCell) * 16 + x / kSwatchCell];
      swatch.WritePixel(x, y, MakePixel(c.red, c.green, c.blue));
    }
  return SavePicture(*out, swatch);
}

// A file that is none of the three: what it is, or, when its name says which it was meant
// to be, why it is not one.
int NotInspectable(const std::string& path, const FileBytes& bytes) {
  std::string reason;
  if (HasExtension(path, ".pal")) return Failure(PaletteFileProblem(path));
  if (HasExtension(path, ".shp")) {
    ShpSprite sprite;
    ParseShp(bytes.data.get(), bytes.size, sprite, reason);
    return Failure(path + ": " + reason);
  }
  const std::string what = DescribeContent(bytes.data.get(), bytes.size);
  return Failure(path + ": not an SHP sprite, a PAL palette or a MIX archive: " +
                 (what.empty() ? std::to_string(bytes.size) + " bytes of none of these forms" : "it is " + what));
}

}  // namespace

int RunInspect(const Arguments& args) {
  if (args.positional.size() != 1)
    return UsageError("inspect needs one file: an SHP sprite, a PAL palette or a MIX archive");
  const std::string& path = args.positional[0];
  std::string error;
  FileBytes bytes;
  if (!ReadFileBytes(path.c_str(), bytes, error)) return Failure(path + ": " + error);
  const FileKind kind = KindOfContent(bytes.data.get(), bytes.size);
  // An archive the content does not make plain (bytes after its body, damage) is still read
  // as one when its name says so, for the reader's own reasons.
  if (kind == FileKind::kMix || (kind == FileKind::kOther && HasExtension(path, ".mix"))) {
    if (args.Has("--palette") || args.Has("-o"))
      return UsageError("inspect lists a MIX archive's members; --palette and -o draw SHP sprites");
    return InspectMix(path, args.Option("--names"));
  }
  if (args.Has("--names")) return UsageError("--names is for MIX archives");
  switch (kind) {
    case FileKind::kShp: return InspectShp(path, bytes, args);
    case FileKind::kPal: return InspectPal(path, bytes, args);
    default: return NotInspectable(path, bytes);
  }
}
