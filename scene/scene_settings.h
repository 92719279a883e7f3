// SceneSettings: what a scene file asks for, its values parsed and checked but nothing loaded
// yet. The scene reader reads a file into one, then applies it to a document (templates,
// cameos, screenshot, offsets, layers, markers); the checks that need a picture (a cameo's
// size, a screenshot's and whether the scale's region fits it, an offset inside its map)
// are made there.
//
// A key the scene does not give is empty here, so that applying it leaves the document's
// value as it is.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "colourize_settings.h"
#include "load_screen_document.h"
#include "pixel.h"
#include "scene_text.h"

// One entry of [Markers], in file order.
struct SceneMarker {
  std::string key;  // as written, for messages ("marker 2: ...")
  std::string symbolFile;
  Pixel colour = 0;
  Point at;
  bool selected = false;
};

// A map offset, with its text as written for messages about the map it must lie in.
struct SceneOffset {
  Point at;
  std::string text;
};

struct SceneSettings {
  int side = Allied;
  int cameoCount = 2;
  std::optional<std::string> cameoFiles[3];           // as written, relative to the package's Templates
  std::optional<std::string> screenshotFile;          // as written, relative to the scene's folder or absolute
  std::optional<Point> screenshotCrop;                // before clamping to the picture
  std::optional<int> screenshotScale;                 // 10..100
  std::optional<ColourizeSettings> screenshotColour;  // given when either colour key is
  std::optional<SceneOffset> smallMapOffset;
  std::optional<SceneOffset> largeMapOffset;
  std::optional<int> targetBoxY;
  std::optional<bool> upperLayer;
  std::optional<bool> lowerLayer;
  std::vector<SceneMarker> markers;
};

// More markers than any screen holds (side by side, a thousand symbols cover the picture):
// a scene with more is refused before any symbol is read.
inline constexpr std::size_t kMaxSceneMarkers = 1000;

// The side and cameo count of [LoadScreen] (Allied and 2 when it names none), or the message
// for a value that is neither; `side` and `count` are then not to be used.
std::string SceneSideAndCount(const SceneSection& screen, int& side, int& count);

// Reads [LoadScreen] and the optional [Markers] into `settings`. On the first bad key or
// value returns false with one line in `problem` that says which and why (without the
// scene's name); `settings` is then incomplete.
bool ParseSceneSettings(const SceneSection& screen, const SceneSection* markers, SceneSettings& settings,
                        std::string& problem);
