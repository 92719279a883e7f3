// Adding, selecting, moving and deleting markers.
//
// At most one marker carries the selection flag; document.selectedMarker is its index, or
// -1 when none. Every command that changes what is drawn asks the shell to repaint, except
// AddMarker and SelectNextMarker, whose callers repaint.
#pragma once

#include "load_screen_document.h"

// Side colours put into a symbol's 0xFFFF00 parts.
inline constexpr Pixel kSideColourBlue = 0x6150FF;
inline constexpr Pixel kSideColourRed = 0xCE0000;
inline constexpr Pixel kSideColourPurpure = 0xCE1EFA;
// The part of a symbol that takes the side colour.
inline constexpr Pixel kSymbolSideColourKey = 0xFFFF00;

// Virtual key codes the marker and map keys react to.
namespace keys {
inline constexpr int kTab = 9, kEscape = 27, kLeft = 37, kUp = 38, kRight = 39, kDown = 40, kDelete = 46;
}

// Appends an unselected marker with a copy of `image` at (x, y); enables "Delete item".
// `symbolFile` is the symbol's file in Templates, kept for saving.
void AddMarker(LoadScreenDocument& document, const MemoryImage& image, int x, int y, int colour,
               const std::string& symbolFile = {});
void SelectMarker(LoadScreenDocument& document, int index);
void ClearSelection(LoadScreenDocument& document);
// Tab: the marker after the selected one, or marker 0 after the last one or when none is.
void SelectNextMarker(LoadScreenDocument& document);
// Removes the selected marker and clears the selection; nothing when none is selected.
void DeleteSelectedMarker(LoadScreenDocument& document);
// The marker on top (highest index: later markers are drawn over earlier ones) whose
// rectangle x..x+w, y..y+h (both ends inclusive) holds the point, or -1.
int HitTestMarker(const LoadScreenDocument& document, int x, int y);
// Places marker `index` at (x, y), kept inside the canvas with one free column and row.
void MoveMarkerTo(LoadScreenDocument& document, int index, int x, int y);
// The keys while a marker is selected: Tab, Escape, arrows (by `step`), Delete; any other
// key beeps and changes nothing.
void OnMarkerKey(LoadScreenDocument& document, int key, int step);
