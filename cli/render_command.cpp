#include "render_command.h"

#include "batch.h"
#include "command_line.h"
#include "image_files.h"
#include "image_lib.h"
#include "renderer.h"
#include "scene_inputs.h"
#include "scene_reader.h"

namespace {

// For an SHP asked of render: the verb that writes one.
std::string ShpFromExport(const std::string& shp) {
  return "render writes pictures; export writes SHP sprites: " + std::string(kToolName) + " export SCENE.ini -o " +
         shp + " --palette OUT.pal";
}

// Loads one scene and writes its picture; the error is one line that starts with the file
// at fault.
bool RenderScene(const std::string& scene, const std::string& appDir, ImageFileCache* cache, const std::string& out,
                 std::string& error) {
  LoadScreenDocument document;
  document.appDir = appDir;
  document.imageCache = cache;
  if (!LoadScene(scene, document, error, SceneMaps::kShownRowsOnly)) return false;
  MemoryImage canvas;
  // The render paints every pixel, from its black fill on.
  if (!canvas.Allocate(CanvasWidth, CanvasHeight)) {
    error = "out of memory for the canvas";
    return false;
  }
  RenderLoadScreen(document, &canvas);
  if (!SaveImageFile(out.c_str(), canvas, error)) {
    error = out + ": cannot write the image: " + error;
    return false;
  }
  return true;
}

}  // namespace

int RunRender(const Arguments& args) {
  std::string error;
  if (args.positional.empty()) return UsageError("render needs a scene file");
  const std::string* out = args.Option("-o");
  const std::string* outDir = args.Option("--out-dir");
  const std::string* format = args.Option("--format");
  std::string extension;
  if (outDir) {
    if (out) return UsageError("--out-dir names the files itself: leave out -o");
    const std::string clash = SharedOutputName(args.positional);
    if (!clash.empty()) return UsageError("scenes " + clash + " would write the same files");
    extension = "." + (format ? *format : std::string("png"));
    if (HasExtension(extension, ".shp")) return UsageError("--format shp: " + ShpFromExport("OUT.shp"));
    if (!ImageCanSave(("x" + extension).c_str()))
      return UsageError("unknown --format '" + extension.substr(1) + "' (png, bmp, tga, jpg or gif)");
  } else {
    if (args.positional.size() != 1) return UsageError("render of several scenes needs --out-dir DIR");
    if (!out) return UsageError("render needs -o OUT.png");
    if (format) return UsageError("--format goes with --out-dir; -o takes the type from its extension");
    if (HasExtension(*out, ".shp")) return UsageError("-o " + *out + ": " + ShpFromExport(*out));
    if (const std::string problem = ImageSaveProblem(out->c_str()); !problem.empty())
      return Failure(*out + ": cannot write the image: " + problem);
  }

  std::string appDir;
  if (!FindPackage(args, appDir, error)) return Failure(error);
  if (!InitImageFiles()) return Failure("the image library did not start");
  std::vector<std::string> outputs;
  if (outDir)
    for (const std::string& scene : args.positional) outputs.push_back(OutputPathFor(*outDir, scene, extension));
  else
    outputs.push_back(*out);
  if (const std::string clash = OutputOverInputProblem(outputs, RunInputFiles(args.positional, appDir)); !clash.empty())
    return Failure(clash);
  if (!outDir) {
    // The scene's images are decoded two at a time.
    ImageFileCache cache(ImageFileCache::Use::kOnce);
    if (!RenderScene(args.positional[0], appDir, &cache, *out, error)) return Failure(error);
    return 0;
  }
  if (!MakeOutputFolder(*outDir, error)) return Failure(error);
  return RunBatch(args.positional, appDir, "rendered", 0, [&](const std::string& scene, ImageFileCache& cache) {
    SceneOutcome outcome;
    outcome.written = OutputPathFor(*outDir, scene, extension);
    outcome.ok = RenderScene(scene, appDir, &cache, outcome.written, outcome.error);
    return outcome;
  });
}
