#include "render_command.h"

#include "command_line.h"
#include "image_files.h"
#include "image_lib.h"
#include "renderer.h"
#include "scene.h"

int RunRender(int argc, char** argv) {
  Arguments args;
  std::string error;
  if (!ParseArguments(argc, argv, {"-o", "--package"}, args, error)) return UsageError(error);
  if (args.positional.size() != 1) return UsageError("render needs one scene file");
  const std::string* out = args.Option("-o");
  if (!out) return UsageError("render needs -o OUT.png");
  if (const std::string problem = ImageSaveProblem(out->c_str()); !problem.empty())
    return Failure(*out + ": cannot write the image: " + problem);

  LoadScreenDocument document;
  if (!FindPackage(args, document.appDir, error)) return Failure(error);
  if (!InitImageFiles()) return Failure("the image library did not start");
  if (!LoadScene(args.positional[0], document, error)) return Failure(error);

  MemoryImage canvas;
  if (!canvas.Create(CanvasWidth, CanvasHeight)) return Failure("out of memory for the canvas");
  RenderLoadScreen(document, &canvas);
  if (!SaveImageFile(out->c_str(), canvas, error)) return Failure(*out + ": cannot write the image: " + error);
  return 0;
}
