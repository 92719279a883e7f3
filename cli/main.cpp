// vantorel: the command-line tool. Each verb parses its arguments, calls the same core
// functions the editor calls, prints errors on stderr and exits non-zero on failure.
#include <cstdio>
#include <cstring>

#include "cli_verbs.h"
#include "gif_writer.h"
#include "process_memory.h"

namespace {
const char kUsage[] =
    "usage: vantorel <verb> ...\n"
    "  vantorel render SCENE.ini -o OUT.png [--package DIR]\n"
    "  vantorel render SCENE.ini... --out-dir DIR [--format png|bmp|tga|jpg|gif] [--package DIR]\n"
    "      compose the load screen a scene file describes and save it as an image\n"
    "  vantorel export SCENE.ini -o OUT.shp (--palette OUT.pal | --use-palette IN.pal) [OPTIONS]\n"
    "  vantorel export SCENE.ini... --out-dir DIR [--use-palette IN.pal] [OPTIONS]\n"
    "      write the load screen as an SHP sprite with a new or an existing palette\n"
    "      OPTIONS: --colors N (1..256), --quantizer octree|best (new palette),\n"
    "               --dither (Floyd-Steinberg), --keep-index0 (no pixel uses entry 0),\n"
    "               --package DIR\n"
    "  vantorel inspect FILE.shp [--palette P.pal -o OUT.png]\n"
    "      check an SHP file and print its frames; decode frame 0 with a palette\n"
    "--package DIR holds Templates/ and Settings.ini; by default the package beside this program.\n"
    "With --out-dir, DIR/NAME.shp (and NAME.pal, or NAME.png) per scene NAME.ini, on every core.\n";
}  // namespace

int main(int argc, char** argv) {
  PrepareProcessMemory();
  EnableGifWriting();
  if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
    std::fputs(kUsage, argc < 2 ? stderr : stdout);
    return argc < 2 ? 2 : 0;
  }
  if (!std::strcmp(argv[1], "--version")) {
    std::puts("vantorel 1.11");
    return 0;
  }
  for (const Verb& verb : kVerbs)
    if (!std::strcmp(argv[1], verb.name)) return verb.run(argc - 2, argv + 2);
  std::fprintf(stderr, "vantorel: unknown verb '%s'\n%s", argv[1], kUsage);
  return 2;
}
