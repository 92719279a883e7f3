// The verbs' tables: each option as the parser takes it and the help shows it. In a text,
// "{tool}" stands for the tool's name and '~' for a space the help never breaks a line at.
#include <iterator>

#include "export_command.h"
#include "inspect_command.h"
#include "pack_command.h"
#include "render_command.h"
#include "verb.h"

namespace {

const OptionSpec kPackageOption = {
    "--package", "DIR",
    "the template package: a folder holding Templates/ and Settings.ini; default: the one beside {tool}"};

const OptionSpec kRenderOptions[] = {
    {"-o", "OUT.png",
     "the picture to write (one scene); its type by the extension: "
     ".png, .bmp, .tga, .jpg or .gif (SHP sprites: {tool} export)"},
    {"--out-dir", "DIR", "DIR/NAME.png per scene NAME.ini, on every core; DIR is made when missing"},
    {"--format", "TYPE", "with --out-dir: png, bmp, tga, jpg or gif; default png"},
    kPackageOption,
};

const OptionSpec kExportOptions[] = {
    {"-o", "OUT.shp", "the SHP sprite to write (one scene); the name must end in .shp"},
    {"--palette", "OUT.pal", "with -o: build a new palette for the picture and write it to OUT.pal"},
    {"--use-palette", "IN.pal",
     "map the picture to an existing PAL file instead (768 bytes, "
     "every value 0..63); it is only read"},
    {"--out-dir", "DIR",
     "DIR/NAME.shp and DIR/NAME.pal (a new palette each, or none with "
     "--use-palette) per scene NAME.ini, on every core"},
    {"--colors", "N",
     "1..256, default 256: the colours of a new palette, or the first N "
     "entries of an existing one, that pixels may use"},
    {"--quantizer", "NAME", "how a new palette is built: octree (default) or best (see below)"},
    {"--dither", nullptr, "Floyd-Steinberg error diffusion, either palette; default off"},
    {"--keep-index0", nullptr, "keep every pixel off palette entry 0 (see below); default off"},
    kPackageOption,
    {"--mix", "OUT.mix",
     "also put the SHP, the PAL and the 640~x~400 picture into this MIX archive of the mod's own "
     "(never one of the game's), made or added to (an entry of the same name is replaced); without "
     "-o or --out-dir they go into the archive only, named after the scene"},
    {"--mission", "MAP",
     "one scene: the scenario's map file name (ALL01UMD.MAP); print its section's lines "
     "LS640BkgdName, LS800BkgdName and LS800BkgdPal for the mission file"},
    {"--defaults", nullptr,
     "one scene: the engine extensions' [Defaults] keys (DefaultLS640BkgdName, ...) for every map "
     "instead of --mission's section"},
    {"--mission-file", "FILE.ini",
     "with --mission MAP or --defaults: set those keys in FILE in place (every other byte stays; "
     "a missing section or file is added)"},
    {"--ls640", "FILE.shp",
     "one scene: the 640~x~400 picture's file (with -o it is written there too) or, without loose "
     "files, its member name; default: the 800 picture's name with 6 added (ALL01.SHP gives ALL016.SHP)"},
};

const char kExportNotes[] =
    "An export for the game (--mix, --mission, --defaults) also makes the 640 x 400 picture the\n"
    "game shows at 640 x 480: the screen shrunk and mapped to the 800 picture's palette, which\n"
    "stays the same bytes.\n"
    "\n"
    "Which quantizer gives the best picture: --quantizer best. On every screen\n"
    "tools/psnr_table.sh measures it is 1.5 to 5.0 dB above the default octree (45.0\n"
    "against 40.1 dB on the default screen) and above pngquant's palette stored in a\n"
    "PAL file; on the shipped examples 4.6 to 5.6 dB above. It takes several times as\n"
    "long (about 0.15 s a screen against 0.02 s). octree stays the default: the editor's\n"
    "palette, byte for byte.\n"
    "\n"
    "Dithering (--dither) passes each pixel's rounding error on to its neighbours:\n"
    "smooth gradients show a fine grain instead of bands, but flat areas get grain too\n"
    "and the PSNR drops on every measured screen (best: 45.0 to 43.6 dB on the default).\n"
    "\n"
    "Palette entry 0 is drawn transparent by the games. --keep-index0 keeps every pixel\n"
    "off it: a new palette gets black there and N - 1 colours after it; an existing\n"
    "palette's entry 0 goes unused. Without it, an export that puts pixels on an entry 0\n"
    "that is not black says how many. In the editor: \"Leave palette entry 0 unused\".\n";

const OptionSpec kInspectOptions[] = {
    {"--palette", "P.pal", "SHP: the palette to decode frame 0 with (with -o)"},
    {"-o", "OUT.png",
     "SHP: frame 0 as a picture (with --palette); PAL: a 16~x~16 swatch of "
     "its colours, entry 0 at the top left; the type by the extension"},
    {"--names", "A.SHP,B.PAL", "MIX: names to show for the entries they match, comma separated"},
};

const char kInspectNotes[] =
    "The file is told by its content, whatever its name: an SHP sprite (its frames), a\n"
    "PAL palette (768 bytes of values 0..63: its 256 colours, as stored and as the\n"
    "games show them) or a MIX archive (its entries, named where a name is known: from\n"
    "--names and the files beside the archive). Anything else is named and refused.\n";

const OptionSpec kPackOptions[] = {
    {"--add-to", "EXISTING.mix",
     "write OUT.mix from that archive's entries and the files (a file of the same name "
     "replaces its entry); without OUT.mix the files are added to EXISTING.mix itself"},
};

const char kPackNotes[] =
    "Files go in by their base names (plain ASCII), at most 32767 of them; a name that is not\n"
    "8.3 gets a warning. An existing OUT.mix is added to; OUT.mix is never one of the files\n"
    "nor an existing file that is not a MIX archive. Every archive is unencrypted, holds a\n"
    "name list other MIX tools read, and is written whole or not at all.\n";

const Verb kVerbs[] = {
    {"render", "compose the load screen a scene file describes and save it as a picture",
     "SCENE.ini -o OUT.png [--package DIR]\n"
     "SCENE.ini... --out-dir DIR [--format png|bmp|tga|jpg|gif] [--package DIR]\n",
     kRenderOptions, "", "render examples/allied_invasion.ini -o allied_invasion.png", RunRender},
    {"export", "write the load screen as the games' SHP sprite with a new or an existing PAL palette",
     "SCENE.ini -o OUT.shp (--palette OUT.pal | --use-palette IN.pal) [OPTIONS]\n"
     "SCENE.ini... --out-dir DIR [--use-palette IN.pal] [OPTIONS]\n"
     "SCENE.ini... --mix OUT.mix [OPTIONS]\n"
     "SCENE.ini --mix OUT.mix (--mission MAP | --defaults) [--mission-file FILE.ini] [OPTIONS]\n",
     kExportOptions, kExportNotes, "export examples/allied_invasion.ini -o ls.shp --palette ls.pal --quantizer best",
     RunExport},
    {"inspect", "check an SHP sprite, a PAL palette or a MIX archive and print what it holds",
     "FILE.shp [--palette P.pal -o OUT.png]\n"
     "FILE.pal [-o SWATCH.png]\n"
     "FILE.mix [--names A.SHP,B.PAL]\n",
     kInspectOptions, kInspectNotes, "inspect ls.shp --palette ls.pal -o frame0.png", RunInspect},
    {"pack", "put files into an unencrypted MIX archive, new or added to",
     "OUT.mix FILE... [--add-to EXISTING.mix]\n"
     "FILE... --add-to EXISTING.mix\n",
     kPackOptions, kPackNotes, "pack mymod.mix ls.shp ls.pal", RunPack},
};

}  // namespace

std::span<const Verb> AllVerbs() { return kVerbs; }

const Verb* FindVerb(const std::string& name) {
  for (const Verb& verb : kVerbs)
    if (name == verb.name) return &verb;
  return nullptr;
}
