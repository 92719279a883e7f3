// Scene files for the command-line tool, read against a tiny package of its own and
// rendered: every key, number, marker and file reference that a scene can hold.
#include <cstdlib>

#include "fuzz_support.h"
#include "image_files.h"
#include "memory_image.h"
#include "renderer.h"
#include "scene_reader.h"

namespace {

void SaveSolid(const std::string& path, int width, int height, Pixel colour) {
  MemoryImage image;
  if (!image.Create(width, height)) std::abort();
  image.Fill(colour);
  if (!SaveImageFile(path.c_str(), image)) std::abort();
}

// Templates at sizes small enough to keep each run fast; the names the seeds use.
const std::string& Package() {
  static const std::string package = [] {
    const std::string root = FuzzFolder() + "/package/", templates = root + "Templates/";
    if (system(("mkdir -p '" + templates + "'").c_str()) != 0) std::abort();
    SaveSolid(templates + "com_largetargetbox.png", 24, 20, 0x0000FF);
    SaveSolid(templates + "com_smalltargetbox.png", 6, 5, 0x0000FF);
    SaveSolid(templates + "com_worldmap2x.png", 64, 40, 0x336699);
    for (const char* side : {"all", "sov", "psy"}) {
      SaveSolid(templates + side + "_worldmap.png", 32, 20, 0x224466);
      SaveSolid(templates + side + "_2icomain.png", 16, 12, 0x0000FF);
      SaveSolid(templates + side + "_3icomain.png", 16, 12, 0x0000FF);
    }
    SaveSolid(templates + "cameo_tank.png", 76, 60, 0x808000);
    SaveSolid(templates + "sym_star.png", 5, 5, 0xFFFF00);
    SaveSolid(templates + "sym_arrow_right.png", 6, 3, 0xFFFF00);
    SaveSolid(FuzzFolder() + "/shot.png", 240, 236, 0x406080);
    return root;
  }();
  return package;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool started = InitImageFiles();
  (void)started;
  LoadScreenDocument document;
  document.appDir = Package();
  const std::string path = WriteFuzzFile("scene.ini", data, size);
  std::string error;
  if (!LoadScene(path, document, error, SceneMaps::kShownRowsOnly)) return 0;
  static MemoryImage canvas;
  if (!canvas.valid && !canvas.Create(CanvasWidth, CanvasHeight)) std::abort();
  RenderLoadScreen(document, &canvas);
  return 0;
}
