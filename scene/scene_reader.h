// Scene files: a load screen described as INI text. The command-line tool renders and
// exports them; the editor opens and saves them (scene_writer.h writes this format).
//
//   [LoadScreen]
//   Side=Allied             ; Allied | Soviet | Yuri, any case; default Allied
//   Cameos=3                ; 2 | 3; default 2
//   Cameo1=tank.png         ; Cameo1..3, relative to the package's Templates; 76 x 60
//   Screenshot=shot.png     ; relative to the scene's folder, or absolute; >= 234 x 232
//   ScreenshotCrop=10,20    ; top-left of the box's region, clamped like the crop dialog
//   ScreenshotScale=50      ; 10..100: the region is 234 x 232 * 100 / scale, shrunk to 234 x 232
//   ScreenshotColour=grey   ; grey | R,G,B levels 0..255 (255 keeps a channel); default 255,255,255
//   ScreenshotIntensity=300 ; 0..511: 255 unchanged, below darkens, above lightens; default 255
//   SmallMapOffset=0,0      ; inside the world map; default 0,0
//   LargeMapOffset=232,103  ; inside the 2x map; default 232,103
//   TargetBoxY=103          ; default 103
//   UpperLayer=yes          ; yes | no; default yes
//   LowerLayer=yes          ; yes | no; default yes
//   [Markers]               ; drawn in file order
//   1=arrow.png,Red,120,200          ; symbol, Blue | Red | Purpure, x, y
//   2=star.png,Blue,300,40,selected  ; optional fifth field: drawn selected
//
// Blanks around keys, values and fields are ignored; unknown keys and sections are errors, so
// a typing mistake is not silently ignored (the text rules are in scene_text.h).
#pragma once

#include <string>
#include <vector>

#include "load_screen_document.h"

// How much of the two maps a scene's document gets. The editor moves the maps and needs them
// whole; the command-line tool draws one fixed window of each and decodes only the rows from
// the top down to it (LoadScreenDocument's row limits), so those maps come out that high.
enum class SceneMaps { kWhole, kShownRowsOnly };

// Fills `document` (fresh, its appDir set to the package) from the scene file: loads the
// common templates (unless the document holds them already), the side templates, cameos,
// screenshot and markers, and records the file names it took them from. Every key and value
// is checked before any image is loaded, so a mistake in the text is reported first, and
// without waiting for pictures to decode (scene_settings.h). On failure returns
// false with one line in `error` that starts with the file at fault (the scene, or a
// template of the package) and says why; the document may then be partly filled and must
// not be used.
bool LoadScene(const std::string& scenePath, LoadScreenDocument& document, std::string& error,
               SceneMaps maps = SceneMaps::kWhole);

// The image files LoadScene reads for the scene on the package in `appDir`, in its order,
// whole (none when the scene file cannot be read): for a batch to announce to the cache
// it shares before its scenes start.
std::vector<PrefetchFile> SceneImageFiles(const std::string& scenePath, const std::string& appDir);
