#pragma once
// vantorel export SCENE.ini -o OUT.shp (--palette OUT.pal | --use-palette IN.pal) [options]
// vantorel export SCENE.ini... --out-dir DIR [--use-palette IN.pal] [options]
//   options: --colors N, --quantizer octree|best, --dither, --keep-index0, --package DIR,
//   --mix OUT.mix, --mission NAME
#include "command_line.h"

int RunExport(const Arguments& args);
