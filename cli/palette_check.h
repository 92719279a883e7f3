// The palette a command reads (export --use-palette, inspect --palette) must be a PAL file:
// 768 bytes, every value 0..63. Anything else is refused with what it is, rather than read
// as colours.
#pragma once

#include <string>

// Empty when the file at `path` is a PAL palette; otherwise one line naming the file and
// saying what it is instead ("x.png: not a PAL palette: it is a PNG image (800 x 600) ..."),
// or why it cannot be read ("PAL file open error! (No such file or directory)").
std::string PaletteFileProblem(const std::string& path);
