#pragma once
// vantorel export SCENE.ini -o OUT.shp (--palette OUT.pal | --use-palette IN.pal) [--colors N] [--package DIR]
int RunExport(int argc, char** argv);
