#include "render_command.h"

#include "batch.h"
#include "command_line.h"
#include "image_files.h"
#include "image_lib.h"
#include "renderer.h"
#include "scene.h"

namespace {

// Loads one scene and writes its picture; the error is one line, `inScene` as for export.
bool RenderScene(const std::string& scene, const std::string& packageDir, ImageFileCache* cache,
                 const std::string& out, std::string& error, bool& inScene) {
  LoadScreenDocument document;
  document.appDir = packageDir;
  document.imageCache = cache;
  inScene = !LoadScene(scene, document, error);
  if (inScene) return false;
  MemoryImage canvas;
  // The render paints every pixel, from its black fill on.
  if (!canvas.Allocate(CanvasWidth, CanvasHeight)) {
    error = "out of memory for the canvas";
    return false;
  }
  RenderLoadScreen(document, &canvas);
  if (!SaveImageFile(out.c_str(), canvas)) {
    error = out + ": cannot write the image";
    return false;
  }
  return true;
}

}  // namespace

int RunRender(int argc, char** argv) {
  Arguments args;
  std::string error;
  if (!ParseArguments(argc, argv, {"-o", "--package", "--out-dir", "--format"}, args, error)) return UsageError(error);
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
    if (!ImageCanSave(("x" + extension).c_str())) return UsageError("unknown --format '" + extension.substr(1) + "' (png, bmp, tga or jpg)");
  } else {
    if (args.positional.size() != 1) return UsageError("render of several scenes needs --out-dir DIR");
    if (!out) return UsageError("render needs -o OUT.png");
    if (format) return UsageError("--format goes with --out-dir; -o takes the type from its extension");
    if (!ImageCanSave(out->c_str())) return Failure(*out + ": unknown image type (use .png, .bmp, .tga or .jpg)");
  }

  const std::string* package = args.Option("--package");
  const std::string packageDir = PackageDirectory(package ? *package : DefaultPackageDirectory());
  if (!InitImageFiles()) return Failure("the image library did not start");
  if (!outDir) {
    bool inScene = false;
    if (!RenderScene(args.positional[0], packageDir, nullptr, *out, error, inScene))
      return Failure(inScene ? args.positional[0] + ": " + error : error);
    return 0;
  }
  if (!MakeOutputFolder(*outDir, error)) return Failure(error);
  return RunBatch(args.positional, "rendered", 0, [&](const std::string& scene, ImageFileCache& cache) {
    SceneOutcome outcome;
    outcome.written = OutputPathFor(*outDir, scene, extension);
    bool inScene = false;
    outcome.ok = RenderScene(scene, packageDir, &cache, outcome.written, outcome.error, inScene);
    return outcome;
  });
}
