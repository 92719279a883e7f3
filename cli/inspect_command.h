#pragma once
// vantorel inspect FILE.shp [--palette P.pal -o OUT.png]
// vantorel inspect FILE.pal [-o SWATCH.png]
// vantorel inspect FILE.mix [--names A.SHP,B.PAL]
#include "command_line.h"

int RunInspect(const Arguments& args);
