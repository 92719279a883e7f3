// The high-quality palette: chosen for the 6-bit PAL file it is stored in.
//
// Xiaolin Wu's greedy variance split on a 32-level colour histogram gives the first
// palette; k-means (Lloyd) iterations then refine it against the picture's colours grouped
// by their 6-bit value. Each iteration assigns the colours with the exact nearest-colour
// search of nearest_color.h, by plain RGB distance (the error PSNR counts), and moves each
// entry to the mean of its colours rounded to the nearest level a PAL file holds (a multiple
// of 4, 0..252). So the palette is exactly what a PAL file gives back, and the mapping
// searches the colours the games will show. Pictures mapped to this palette should use
// kPlainWeights, the distance it was made for.
#pragma once

#include "image.h"
#include "palette.h"

// Writes at most `count` (1..256) distinct colours to out[0..] and returns how many were
// written (fewer when the picture has fewer colours at 6 bits per channel); 0 for an
// image without pixels. -1 when memory ran short; `out` may then hold anything.
int BuildBestPalette(const Image& image, int count, PaletteColor* out);
