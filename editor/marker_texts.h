// What the editor says about markers: each marker's line in the select-item dialog, and which
// marker the status line names as selected.
#pragma once

#include <optional>
#include <vector>

#include "catalogue.h"
#include "interface_texts.h"
#include "load_screen_document.h"
#include "status_line.h"

// "03 : x = 120 y = 040   Arrow (red)": the long-standing text of marker `index` (its
// number and position), then its symbol's name in the catalogue `symbols` (the symbol's
// file when the catalogue does not list it; file names compared without regard to case)
// and its side colour. A marker whose symbol file is not known keeps the long-standing text
// alone.
TextLine MarkerListLine(int index, const Marker& marker, const std::vector<CatalogueEntry>& symbols);

// The marker that carries the selection, with its position; nullopt when none does (also
// when the selected index names no marker any more).
std::optional<MarkerPosition> SelectedMarkerPosition(const LoadScreenDocument& document);
