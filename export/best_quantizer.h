// The high-quality palette: chosen for the 6-bit PAL file it is stored in.
//
// The picture's exact colours with their pixel counts (for a picture of very many colours,
// the means of 4 x 4 x 4-level cells) are the data. Xiaolin Wu's greedy variance split on a
// 32-level histogram gives the first centres; Lloyd's k-means iterations then let them
// settle freely, rounded to PAL levels only once they stand still. Lloyd's iterations at
// PAL levels follow (each entry at the level nearest to its colours' mean, entries that
// meet merged, the free places given to the colours served worst), and a last search moves
// single entries to far places where that lowers the total error. Every step measures by
// plain RGB distance (the error PSNR counts), so the palette is exactly what a PAL file
// gives back (multiples of 4, 0..252). Pictures mapped to this palette should use
// kPlainWeights, the distance it was made for.
#pragma once

#include "image.h"
#include "palette.h"

// Writes at most `count` (1..256) distinct colours to out[0..] and returns how many were
// written (fewer when the picture has fewer colours at 6 bits per channel); 0 for an
// image without pixels. -1 when memory ran short; `out` may then hold anything.
int BuildBestPalette(const Image& image, int count, PaletteColour* out);
