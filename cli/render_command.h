#pragma once
// vantorel render SCENE.ini -o OUT.png [--package DIR]
int RunRender(int argc, char** argv);
