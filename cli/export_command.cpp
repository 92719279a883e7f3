#include "export_command.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

#include "command_line.h"
#include "image_files.h"
#include "scene.h"
#include "shp_export.h"

namespace {

// The colour count as the export dialog takes it: any whole number, clamped to 1..256.
bool ParseColorCount(const std::string& text, int& count) {
  if (text.empty() || std::isspace(static_cast<unsigned char>(text[0]))) return false;
  errno = 0;
  char* end = nullptr;
  const long long value = std::strtoll(text.c_str(), &end, 10);
  if (*end != '\0') return false;
  // Out of range reads as the nearest extreme, which clamps the same way.
  count = value < 1 ? 1 : value > 256 ? 256 : static_cast<int>(value);
  return true;
}

}  // namespace

int RunExport(int argc, char** argv) {
  Arguments args;
  std::string error;
  if (!ParseArguments(argc, argv, {"-o", "--palette", "--use-palette", "--colors", "--package"}, args, error))
    return UsageError(error);
  if (args.positional.size() != 1) return UsageError("export needs one scene file");
  const std::string* out = args.Option("-o");
  if (!out) return UsageError("export needs -o OUT.shp");
  const std::string* newPalette = args.Option("--palette");
  const std::string* usePalette = args.Option("--use-palette");
  if (!newPalette == !usePalette) return UsageError("export needs exactly one of --palette OUT.pal and --use-palette IN.pal");

  ShpExportSettings settings;
  settings.exportPath = *out;
  settings.paletteMode = newPalette ? NewPalette : ExistingPalette;
  settings.palettePath = newPalette ? *newPalette : *usePalette;
  if (const std::string* colors = args.Option("--colors"))
    if (!ParseColorCount(*colors, settings.colorCount)) return UsageError("--colors needs a number, not '" + *colors + "'");

  LoadScreenDocument document;
  if (!FindPackage(args, document.appDir, error)) return Failure(error);
  if (!InitImageFiles()) return Failure("the image library did not start");
  if (!LoadScene(args.positional[0], document, error)) return Failure(error);

  const ShpExportResult result = ExportShp(document, settings);
  if (!result.success) return Failure(DescribeShpExportFailure(result));
  return 0;
}
