// Lining the magnified map up with the small target box: the centre of the magnified
// window (layout::kLargeMapWidth x kLargeMapHeight, 281 x 277 pixels of the 2x world map) shows the world-map point
// under the centre of the small target box.
#pragma once

#include "load_screen_document.h"

// The largeMapOffset that lines the two up, with W x H the world map, W2 x H2 the 2x map,
// SW x SH the small target box (integer division, wrapping modulo the map sizes):
//   wx = (smallMapOffset.x + targetBoxPos.x + SW/2) mod W,  x2 = wx * W2 / W,
//   x  = (x2 - 281/2) mod W2;  likewise y with H, H2, SH and 277/2.
// An axis whose maps are not loaded keeps the current offset.
Point AlignedLargeMapOffset(const LoadScreenDocument& document);

// Sets largeMapOffset to AlignedLargeMapOffset as one change of the document (none when
// it is already there) and repaints.
void AlignLargeMap(LoadScreenDocument& document);
