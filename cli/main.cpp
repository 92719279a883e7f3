// vantorel: the command-line tool. Each verb parses its arguments, calls the same core
// functions the editor calls, prints errors on stderr and exits non-zero on failure.
#include <cstdio>
#include <cstring>

#include "cli_verbs.h"
#include "decoded_image_store.h"
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
    "               --package DIR, --mix OUT.mix (also without -o or --out-dir:\n"
    "               the SHP, PAL and 640 x 400 SHP go into the MIX only),\n"
    "               --mission MAP (the map file's section, such as ALL01UMD.MAP) or --defaults,\n"
    "               --mission-file FILE.ini (set the keys there), --ls640 FILE.shp (one scene)\n"
    "  vantorel inspect FILE.shp [--palette P.pal -o OUT.png]\n"
    "      check an SHP file and print its frames; decode frame 0 with a palette\n"
    "  vantorel inspect FILE.mix [--names A.SHP,B.PAL]\n"
    "      list a MIX file's entries, with the names known\n"
    "  vantorel pack OUT.mix FILE... [--add-to EXISTING.mix]\n"
    "      put files into an unencrypted MIX, new or added to (OUT.mix may be left out\n"
    "      with --add-to, which then rewrites EXISTING.mix)\n"
    "--package DIR holds Templates/ and Settings.ini; by default the package beside this program.\n"
    "With --out-dir, DIR/NAME.shp (and NAME.pal, or NAME.png) per scene NAME.ini, on every core.\n";
}  // namespace

int main(int argc, char** argv) {
  PrepareProcessMemory();
  // Large pictures (the templates' maps and frames) decoded once are read back from the
  // user's cache on later runs.
  UseDecodedImageStore(UserImageCacheFolder());
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
