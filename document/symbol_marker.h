// Adding a symbol from the package's catalogue as a marker: the one way the add-item
// dialog, scene files and the test driver's model put a symbol on the screen.
#pragma once

#include <string>

#include "load_screen_document.h"

// Reads Templates/<fileName> of the document's package (through its image cache, if any),
// gives the symbol's side-colour parts `colour` and appends it as AddMarker does, unselected
// at `at`, with `fileName` kept for saving. The blue background stays: the renderer treats it
// as transparent. False when the symbol cannot be read, with `problem` "<path>: <why>"; the
// document is then unchanged.
bool AddSymbolMarker(LoadScreenDocument& document, const std::string& fileName, Pixel colour, Point at,
                     std::string& problem);
