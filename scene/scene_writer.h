// Writing a load screen as a scene file (the format scene_reader.h reads), with its
// screenshot as a PNG beside it.
//
// Everything the screen draws is written: side, cameo count, the three cameos by their
// catalogue file names (an empty slot is left out), the screenshot, the map offsets, the
// target box, the layer switches and the markers in drawing order with their symbol file,
// colour and position. The selection is not. The screenshot is written uncoloured, with
// its colour settings as ScreenshotColour and ScreenshotIntensity when they are not the
// defaults; otherwise as the document holds
// it (already cropped and colourized), so the scene has no crop or colour keys. Reading the
// scene back gives the same screen.
#pragma once

#include <string>

#include "load_screen_document.h"

// Whether the marker selection goes into the scene (a copy that must draw exactly what the
// screen shows keeps it; a user's scene does not).
enum class SceneSelection { kLeftOut, kKept };

// The screenshot file of a scene: beside it, named after it without its extension
// ("maps/mission1.ini" gives "maps/mission1.screenshot.png").
std::string ScreenshotFileFor(const std::string& scenePath);

// The scene's text (CR LF line ends), the screenshot named `screenshotFile` (a name in the
// scene's folder; not used when the document has no screenshot). False with one line in
// `error` when something cannot be named in a scene: a cameo or marker whose file name is
// not known, a marker colour other than the three side colours, or a name the format
// cannot hold (with ';' or '=', blanks at its ends, or a ',' in a marker's symbol).
bool ComposeScene(const LoadScreenDocument& document, const std::string& screenshotFile, std::string& text,
                  std::string& error, SceneSelection selection = SceneSelection::kLeftOut);

// Writes the scene file and, when the document has a screenshot, ScreenshotFileFor(it):
// both completely under temporary names first, then put in place together, so on any
// failure both earlier files remain as they were. False with one line in `error` that names
// the file and the reason.
bool SaveScene(const std::string& scenePath, const LoadScreenDocument& document, std::string& error,
               SceneSelection selection = SceneSelection::kLeftOut);
