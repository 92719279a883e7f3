#pragma once
// vantorel render SCENE.ini -o OUT.png [--package DIR]
// vantorel render SCENE.ini... --out-dir DIR [--format png|bmp|tga|jpg] [--package DIR]
int RunRender(int argc, char** argv);
