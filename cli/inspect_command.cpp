#include "inspect_command.h"

#include <cstdio>

#include "command_line.h"
#include "image_files.h"
#include "image_lib.h"
#include "mix_inspect.h"
#include "pal_file.h"
#include "scene_inputs.h"
#include "shp_reader.h"

namespace {

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

}  // namespace

int RunInspect(int argc, char** argv) {
  Arguments args;
  std::string error;
  if (!ParseArguments(argc, argv, {"--palette", "-o", "--names"}, args, error)) return UsageError(error);
  if (args.positional.size() != 1) return UsageError("inspect needs one SHP file");
  if (IsMixPath(args.positional[0])) {
    if (args.Option("--palette") || args.Option("-o"))
      return UsageError("inspect lists a MIX archive's members; --palette and -o draw SHP sprites");
    return InspectMix(args.positional[0], args.Option("--names"));
  }
  if (args.Option("--names")) return UsageError("--names is for MIX files");
  const std::string* palettePath = args.Option("--palette");
  const std::string* out = args.Option("-o");
  if (!palettePath != !out) return UsageError("inspect needs both --palette P.pal and -o OUT.png, or neither");
  const std::string& path = args.positional[0];
  if (out) {
    if (const std::string problem = ImageSaveProblem(out->c_str()); !problem.empty())
      return Failure(*out + ": cannot write the image: " + problem);
    if (const std::string clash = OutputOverInputProblem({*out}, {{path, "the SHP file"}, {*palettePath, "the palette"}});
        !clash.empty())
      return Failure(clash);
  }

  FileBytes bytes;
  ShpSprite sprite;
  if (!ReadFileBytes(path.c_str(), bytes, error)) return Failure(path + ": " + error);
  if (!ParseShp(bytes.data.get(), bytes.size, sprite, error)) return Failure(path + ": " + error);

  Palette palette;
  if (palettePath) {
    switch (ReadPalFile(palettePath->c_str(), palette, error)) {
      case PalReadStatus::kOpenError: return Failure(*palettePath + ": PAL file open error! (" + error + ")");
      case PalReadStatus::kReadError: return Failure(*palettePath + ": PAL file read error! (" + error + ")");
      case PalReadStatus::kOk: break;
    }
  }

  std::printf("%s: %u x %u, %u frame%s, %s bytes\n", path.c_str(), sprite.header.width, sprite.header.height,
              sprite.header.frameCount, sprite.header.frameCount == 1 ? "" : "s", std::to_string(bytes.size).c_str());
  for (std::size_t i = 0; i < sprite.frames.size(); ++i) PrintFrame(i, sprite.frames[i]);
  if (!palettePath) return 0;

  MemoryImage picture;
  if (!DecodeShpFrameToImage(bytes.data.get(), bytes.size, sprite, 0, palette, picture, error))
    return Failure(path + ": " + error);
  if (!InitImageFiles()) return Failure("the image library did not start");
  if (!SaveImageFile(out->c_str(), picture, error)) return Failure(*out + ": cannot write the image: " + error);
  return 0;
}
