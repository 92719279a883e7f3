#include "export_command.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "batch.h"
#include "command_line.h"
#include "flag_options.h"
#include "image_files.h"
#include "scene_reader.h"
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

// Loads one scene on the package and exports it. The error is one line that starts with
// the file at fault.
bool ExportScene(const std::string& scene, const std::string& appDir, ImageFileCache* cache,
                 const ShpExportSettings& settings, std::string& error) {
  LoadScreenDocument document;
  document.appDir = appDir;
  document.imageCache = cache;
  if (!LoadScene(scene, document, error, SceneMaps::kShownRowsOnly)) return false;
  const ShpExportResult result = ExportShp(document, settings);
  if (!result.success) error = DescribeShpExportFailure(result);
  if (const std::string note = Index0Note(result); !note.empty()) std::fprintf(stderr, "%s: %s\n", scene.c_str(), note.c_str());
  return result.success;
}

}  // namespace

int RunExport(int argc, char** argv) {
  std::vector<char*> rest;
  std::set<std::string> flags;
  std::string error;
  if (!TakeFlags(argc, argv, {"--dither", "--keep-index0"}, rest, flags, error)) return UsageError(error);
  Arguments args;
  if (!ParseArguments(static_cast<int>(rest.size()), rest.data(),
                      {"-o", "--palette", "--use-palette", "--colors", "--package", "--quantizer", "--out-dir"}, args,
                      error))
    return UsageError(error);
  const std::string* outDir = args.Option("--out-dir");
  const std::string* out = args.Option("-o");
  const std::string* newPalette = args.Option("--palette");
  const std::string* usePalette = args.Option("--use-palette");
  if (args.positional.empty()) return UsageError("export needs a scene file");
  if (outDir) {
    if (out || newPalette) return UsageError("--out-dir names the files itself: leave out -o and --palette");
    const std::string clash = SharedOutputName(args.positional);
    if (!clash.empty()) return UsageError("scenes " + clash + " would write the same files");
  } else {
    if (args.positional.size() != 1) return UsageError("export of several scenes needs --out-dir DIR");
    if (!out) return UsageError("export needs -o OUT.shp");
    if (!newPalette == !usePalette)
      return UsageError("export needs exactly one of --palette OUT.pal and --use-palette IN.pal");
  }

  ShpExportSettings settings;
  settings.paletteMode = usePalette ? ExistingPalette : NewPalette;
  if (usePalette) settings.palettePath = *usePalette;
  if (const std::string* colors = args.Option("--colors"))
    if (!ParseColorCount(*colors, settings.colorCount)) return UsageError("--colors needs a number, not '" + *colors + "'");
  if (const std::string* quantizer = args.Option("--quantizer")) {
    if (!ParseQuantizerName(*quantizer, settings.quantizer))
      return UsageError("unknown quantizer '" + *quantizer + "' (octree or best)");
    if (usePalette) return UsageError("--quantizer builds a new palette; it has no use with --use-palette");
  }
  settings.dither = flags.count("--dither") != 0;
  settings.keepIndex0 = flags.count("--keep-index0") != 0;
  if (settings.keepIndex0 && settings.colorCount < 2) return UsageError("--keep-index0 needs --colors of at least 2");

  std::string appDir;
  if (!FindPackage(args, appDir, error)) return Failure(error);
  if (!InitImageFiles()) return Failure("the image library did not start");

  if (!outDir) {
    settings.exportPath = *out;
    settings.palettePath = newPalette ? *newPalette : *usePalette;
    // The scene's images are decoded two at a time.
    ImageFileCache cache(ImageFileCache::Use::kOnce);
    if (!ExportScene(args.positional[0], appDir, &cache, settings, error)) return Failure(error);
    return 0;
  }

  if (!MakeOutputFolder(*outDir, error)) return Failure(error);
  return RunBatch(args.positional, appDir, "exported", 0, [&](const std::string& scene, ImageFileCache& cache) {
    ShpExportSettings mine = settings;
    mine.exportPath = OutputPathFor(*outDir, scene, ".shp");
    if (!usePalette) mine.palettePath = OutputPathFor(*outDir, scene, ".pal");
    SceneOutcome outcome;
    outcome.ok = ExportScene(scene, appDir, &cache, mine, outcome.error);
    outcome.written = mine.exportPath + (usePalette ? "" : ", " + mine.palettePath);
    return outcome;
  });
}
