// The names scene files give the three side colours of markers.
#pragma once

#include <string>

#include "pixel.h"

// "Blue", "Red" or "Purpure" for the side colours of marker_commands.h; null for any other.
const char* MarkerColourName(Pixel colour);
// The colour of a name, in any case. False for another name.
bool MarkerColourOf(const std::string& name, Pixel& colour);
