// DocumentSettings: everything of a load screen that is drawn or saved and is not a picture:
// the side and cameo count, the layer switches, where the maps and the small target box
// stand, the file names the cameos and the screenshot came from, and the screenshot's
// colour settings.
//
// One value type so that the document, a step of the undo history and a scene file on its
// way in hold the same fields, and copy and compare them whole: a field added here is
// captured, restored and compared everywhere at once.
#pragma once

#include <string>

#include "colourize_settings.h"

struct Point {
  int x = 0;
  int y = 0;

  bool operator==(const Point&) const = default;
};

// Where the 2x map's window starts in a new document, and so where its target box stands:
// the editor's start and a scene file's default.
inline constexpr Point kDefaultLargeMapOffset{232, 103};

struct DocumentSettings {
  int side = -1;           // 0 Allied, 1 Soviet, 2 Yuri; -1 before the first side
  int cameoCount = -1;     // 2 or 3; -1 before the first count
  bool viewTop = true;     // upper layer: target boxes, 2x map, zoom lines, markers
  bool viewBottom = true;  // lower layer: world map, interface frame, cameos, screenshot
  Point smallMapOffset{0, 0};
  Point largeMapOffset = kDefaultLargeMapOffset;
  Point targetBoxPos = kDefaultLargeMapOffset;
  std::string cameoFiles[3];           // each cameo's file in Templates; empty with the slot
  std::string screenshotName;          // the file the screenshot was taken from, as the user chose it
  ColourizeSettings screenshotColour;  // the colour settings in force on the screenshot

  bool operator==(const DocumentSettings&) const = default;
};
