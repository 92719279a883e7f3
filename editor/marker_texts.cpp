#include "marker_texts.h"

#include <cctype>
#include <cstdio>
#include <string>

#include "marker_commands.h"

namespace {

bool SameFileName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

// The add-item dialog's three side colours by name; any other as its value, #RRGGBB.
TextValue ColourName(int colour) {
  switch (static_cast<Pixel>(colour)) {
    case kSideColourBlue: return {"colour", Text::MarkerBlue};
    case kSideColourRed: return {"colour", Text::MarkerRed};
    case kSideColourPurpure: return {"colour", Text::MarkerPurple};
    default: break;
  }
  char value[16];
  std::snprintf(value, sizeof value, "#%06X", static_cast<unsigned>(colour) & 0xFFFFFFu);
  return {"colour", value};
}

}  // namespace

TextLine MarkerListLine(int index, const Marker& marker, const std::vector<CatalogueEntry>& symbols) {
  char position[64];
  std::snprintf(position, sizeof position, "%02d : x = %03d y = %03d", index, marker.x, marker.y);
  if (marker.symbolFile.empty()) return {{Text::Verbatim, {{"text", position}}}};
  std::string symbol = marker.symbolFile;
  for (const CatalogueEntry& entry : symbols) {
    if (SameFileName(entry.fileName, marker.symbolFile)) {
      symbol = entry.displayName;
      break;
    }
  }
  return {{Text::MarkerListLine, {{"position", position}, {"symbol", symbol}, ColourName(marker.colour)}}};
}

std::optional<MarkerPosition> SelectedMarkerPosition(const LoadScreenDocument& document) {
  const int index = document.selectedMarker;
  if (index < 0 || index >= document.markers.Count() || !document.markers.MarkerAt(index).selected) return std::nullopt;
  const Marker& marker = document.markers.MarkerAt(index);
  return MarkerPosition{index, marker.x, marker.y};
}
