#pragma once
// vantorel inspect FILE.shp [--palette P.pal -o OUT.png]
int RunInspect(int argc, char** argv);
