// The high-quality palette: chosen for the 6-bit PAL file it is stored in.
//
// Xiaolin Wu's greedy variance split on a 32-level colour histogram gives the first
// palette; k-means (Lloyd) iterations then refine it against the picture's colours, each
// iteration assigning colours with the exact nearest-colour rule of the mapping (see
// nearest_color.h) and moving each entry to the mean of its colours, rounded to the
// nearest level the PAL file can hold (a multiple of 4, 0..252). So the palette is exactly
// what a PAL file gives back, and the mapping searches the colours the games will show.
#pragma once

#include "image.h"
#include "palette.h"

// Writes at most `count` (1..256) distinct colours to out[0..] and returns how many were
// written (fewer when the picture has fewer colours at 6 bits per channel); 0 for an
// image without pixels. -1 when memory ran short; `out` may then hold anything.
int BuildBestPalette(const Image& image, int count, PaletteColor* out);
