#pragma once
// vantorel render SCENE.ini -o OUT.png [--package DIR]
// vantorel render SCENE.ini... --out-dir DIR [--format png|bmp|tga|jpg|gif] [--package DIR]
#include "command_line.h"

int RunRender(const Arguments& args);
