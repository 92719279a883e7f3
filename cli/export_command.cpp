#include "export_command.h"

#include <cstdio>
#include <string>
#include <thread>

#include "batch.h"
#include "command_line.h"
#include "image_files.h"
#include "mission_export.h"
#include "mix_export.h"
#include "mix_name_id.h"
#include "palette_check.h"
#include "path_names.h"
#include "scene_inputs.h"
#include "scene_reader.h"
#include "shp_export.h"

namespace {

// The colour count: a whole number 1..256. Anything else is refused rather than clamped as
// the editor's field clamps, so that a script's mistake does not go unseen.
bool ParseColourCount(const std::string& text, int& count) {
  if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != std::string::npos) return false;
  const int value = std::stoi(text);
  if (value < 1 || value > 256) return false;
  count = value;
  return true;
}

// The entry-0 note, with the way to avoid it.
std::string Index0Advice(const ShpExportResult& result) {
  std::string note = Index0Note(result);
  if (!note.empty()) note += " --keep-index0 keeps them off it (in the editor: \"Leave palette entry 0 unused\").";
  return note;
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
  if (const std::string note = Index0Advice(result); !note.empty())
    std::fprintf(stderr, "%s: %s\n", scene.c_str(), note.c_str());
  return result.success;
}

// Loose outputs against the inputs and the archive, which is read too; the archive against
// the inputs and against each loose output, spelled alike or not, existing or not.
std::string OutputsOverInputsProblem(const std::vector<std::string>& loose, const std::string* mixPath,
                                     std::vector<InputFile> inputs) {
  if (mixPath) {
    if (std::string clash = OutputOverInputProblem({*mixPath}, inputs); !clash.empty()) return clash;
    for (const std::string& output : loose)
      if (SameFilePath(output, *mixPath))
        return output + ": refused: the export would write it and add to it as the MIX archive; nothing was written";
    inputs.push_back({*mixPath, "the MIX archive"});
  }
  return OutputOverInputProblem(loose, inputs);
}

// The names this run puts into the archive, known before anything is written.
std::vector<PlannedMixMember> PlannedMembers(const std::vector<std::string>& scenes, const std::string* out,
                                             const std::string* newPalette, const std::string* usePalette,
                                             const std::string* outDir) {
  std::vector<PlannedMixMember> members;
  for (const std::string& scene : scenes) {
    const std::string named = "it is named after the scene file: rename " + scene +
                              (out || outDir || scenes.size() > 1 ? "" : ", or name the files with -o and --palette");
    if (out)
      members.push_back({FileNameOfPath(*out), *out, "choose another name with -o"});
    else
      members.push_back({FileNameOfPath(OutputPathFor("", scene, ".shp")), "the SHP of " + scene, named});
    if (newPalette)
      members.push_back({FileNameOfPath(*newPalette), *newPalette, "choose another name with --palette"});
    else if (!usePalette)
      members.push_back({FileNameOfPath(OutputPathFor("", scene, ".pal")), "the palette of " + scene, named});
  }
  if (usePalette) members.push_back({FileNameOfPath(*usePalette), *usePalette, "rename the palette file"});
  return members;
}

}  // namespace

int RunExport(const Arguments& args) {
  std::string error;
  const std::string* outDir = args.Option("--out-dir");
  const std::string* out = args.Option("-o");
  const std::string* newPalette = args.Option("--palette");
  const std::string* usePalette = args.Option("--use-palette");
  const std::string* mixPath = args.Option("--mix");
  if (args.positional.empty()) return UsageError("export needs a scene file");
  const bool batch = outDir || args.positional.size() > 1;
  if (batch) {
    if (!outDir && !mixPath) return UsageError("export of several scenes needs --out-dir DIR");
    if (out || newPalette) return UsageError("--out-dir names the files itself: leave out -o and --palette");
    const std::string clash = SharedOutputName(args.positional);
    if (!clash.empty()) return UsageError("scenes " + clash + " would write the same files");
  } else if (out || !mixPath) {
    if (!out) return UsageError("export needs -o OUT.shp");
    if (!newPalette == !usePalette)
      return UsageError("export needs exactly one of --palette OUT.pal and --use-palette IN.pal");
  } else if (newPalette && usePalette) {
    return UsageError("export needs at most one of --palette OUT.pal and --use-palette IN.pal");
  }

  ShpExportSettings settings;
  settings.paletteMode = usePalette ? ExistingPalette : NewPalette;
  if (usePalette) settings.palettePath = *usePalette;
  if (out && !HasExtension(*out, ".shp"))
    return UsageError("-o " + *out + ": the name must end in .shp (export writes SHP sprites; render writes pictures)");
  if (const std::string* colors = args.Option("--colors"))
    if (!ParseColourCount(*colors, settings.colourCount))
      return UsageError("--colors takes a number of colours 1..256, not '" + *colors + "'");
  if (const std::string* quantizer = args.Option("--quantizer")) {
    if (!ParseQuantizerName(*quantizer, settings.quantizer))
      return UsageError("unknown quantizer '" + *quantizer + "' (octree or best)");
    if (usePalette) return UsageError("--quantizer builds a new palette; it has no use with --use-palette");
  }
  settings.dither = args.Has("--dither");
  settings.keepIndex0 = args.Has("--keep-index0");
  if (settings.keepIndex0 && settings.colourCount < 2) return UsageError("--keep-index0 needs --colors of at least 2");
  MissionExport game;
  if (!game.Parse(args, args.Has("--defaults"), {batch, outDir || out, mixPath != nullptr}, error))
    return UsageError(error);
  if (usePalette)
    if (const std::string problem = PaletteFileProblem(*usePalette); !problem.empty()) return Failure(problem);

  std::string appDir;
  if (!FindPackage(args, appDir, error)) return Failure(error);
  if (!InitImageFiles()) return Failure("the image library did not start");
  // Nothing this run writes may be a file it reads, the archive added to included, and no
  // two outputs may be one file: all checked before anything is written.
  std::vector<std::string> loose;
  for (const std::string& scene : args.positional) {
    if (outDir) {
      loose.push_back(OutputPathFor(*outDir, scene, ".shp"));
      if (!usePalette) loose.push_back(OutputPathFor(*outDir, scene, ".pal"));
      if (game.MakesLs640()) loose.push_back(game.Ls640PathFor(OutputPathFor(*outDir, scene, ".shp")));
    }
  }
  if (out) loose.push_back(*out);
  if (out && game.MakesLs640()) loose.push_back(game.Ls640PathFor(*out));
  if (newPalette) loose.push_back(*newPalette);
  if (const std::string clash = MissionFileClash(game, loose, mixPath); !clash.empty()) return Failure(clash);
  if (game.MissionFile()) loose.push_back(*game.MissionFile());
  std::vector<InputFile> inputs = RunInputFiles(args.positional, appDir);
  if (usePalette) inputs.push_back({*usePalette, "the palette"});
  if (const std::string clash = OutputsOverInputsProblem(loose, mixPath, inputs); !clash.empty()) return Failure(clash);

  // The mission file's keys name the members: checked, with the file, before anything is written.
  const LoadScreenNames names = GameNames(game.Ls640PathFor(out ? *out : OutputPathFor("", args.positional[0], ".shp")),
                                          out ? *out : OutputPathFor("", args.positional[0], ".shp"),
                                          newPalette   ? *newPalette
                                          : usePalette ? *usePalette
                                                       : OutputPathFor("", args.positional[0], ".pal"));
  if (!batch && !game.Check(names, error)) return Failure(error);

  MixExport mix;
  std::vector<PlannedMixMember> planned = PlannedMembers(args.positional, out, newPalette, usePalette, outDir);
  if (game.MakesLs640()) game.AddPlannedMembers(args.positional, out, planned);
  // Without loose files wanted, the export writes into a scratch folder the pack reads.
  if (mixPath && !mix.Begin(*mixPath, planned, !outDir && !out, error)) return Failure(error);
  const std::string& looseDir = outDir ? *outDir : mix.ScratchFolder();

  if (!batch) {
    const std::string& scene = args.positional[0];
    settings.exportPath = out ? *out : OutputPathFor(looseDir, scene, ".shp");
    settings.palettePath = newPalette ? *newPalette : usePalette ? *usePalette : OutputPathFor(looseDir, scene, ".pal");
    if (game.MakesLs640()) settings.ls640Path = game.Ls640PathFor(settings.exportPath);
    // The scene's images are decoded two at a time, and its colours looked up so.
    ImageFileCache cache(ImageFileCache::Use::kOnce);
    settings.threads = std::thread::hardware_concurrency() > 1 ? 2 : 1;
    if (!ExportScene(scene, appDir, &cache, settings, error)) return Failure(mix.InUserTerms(error));
    const std::string shpName = FileNameOfPath(settings.exportPath), palName = FileNameOfPath(settings.palettePath);
    if (mixPath && (!mix.Add(shpName, settings.exportPath, error) || !mix.Add(palName, settings.palettePath, error) ||
                    !AddLs640(mix, settings.ls640Path, error) || !mix.Finish(error)))
      return Failure(error);
    if (out && !settings.ls640Path.empty())
      std::printf("wrote the 640 x 400 picture to %s\n", settings.ls640Path.c_str());
    return game.Finish(names, error) ? 0 : Failure(error);
  }

  if (outDir && !MakeOutputFolder(*outDir, error)) return Failure(error);
  const int code =
      RunBatch(args.positional, appDir, "exported", 0, [&](const std::string& scene, ImageFileCache& cache) {
        ShpExportSettings mine = settings;
        mine.exportPath = OutputPathFor(looseDir, scene, ".shp");
        if (!usePalette) mine.palettePath = OutputPathFor(looseDir, scene, ".pal");
        if (game.MakesLs640()) mine.ls640Path = game.Ls640PathFor(mine.exportPath);
        SceneOutcome outcome;
        outcome.ok = ExportScene(scene, appDir, &cache, mine, outcome.error);
        if (!outcome.ok) outcome.error = mix.InUserTerms(outcome.error);
        if (outcome.ok && mixPath)
          outcome.ok = mix.Add(FileNameOfPath(mine.exportPath), mine.exportPath, outcome.error) &&
                       mix.Add(FileNameOfPath(mine.palettePath), mine.palettePath, outcome.error) &&
                       AddLs640(mix, mine.ls640Path, outcome.error);
        // What this scene wrote: its loose files, and the members it gives the archive.
        if (outDir) {
          outcome.written = mine.exportPath + (usePalette ? "" : ", " + mine.palettePath);
          if (!mine.ls640Path.empty()) outcome.written += ", " + mine.ls640Path;
        }
        if (mixPath) {
          outcome.written += (outDir ? "; " : "") + *mixPath + ": " + UpperCaseName(FileNameOfPath(mine.exportPath)) +
                             ", " + UpperCaseName(FileNameOfPath(mine.palettePath));
          if (!mine.ls640Path.empty()) outcome.written += ", " + UpperCaseName(FileNameOfPath(mine.ls640Path));
        }
        return outcome;
      });
  // The scenes that succeeded go into the archive even when others failed, as their loose
  // files would be written.
  if (mixPath && !mix.Finish(error)) return Failure(error);
  return code;
}
