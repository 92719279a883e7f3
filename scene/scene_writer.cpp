#include "scene_writer.h"

#include <vector>

#include "image_files.h"
#include "marker_colours.h"
#include "path_names.h"
#include "replace_files_together.h"
#include "scene_keys.h"
#include "scene_settings.h"

namespace {

// A value the INI reader gives back unchanged: no comment or key separator, no line break,
// no blank at either end that it would trim.
bool FitsValue(const std::string& value) {
  return !value.empty() && value.find_first_of(";=\r\n") == std::string::npos && value.front() != ' ' &&
         value.back() != ' ';
}

std::string PointValue(const Point& p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

class SceneText {
 public:
  void Line(const std::string& line) { text_ += line + "\r\n"; }
  void Entry(const std::string& key, const std::string& value) { Line(key + "=" + value); }
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

}  // namespace

std::string ScreenshotFileFor(const std::string& scenePath) {
  const auto nameStart = FileNameStart(scenePath);
  const auto dot = scenePath.find_last_of('.');
  const std::string stem = dot == std::string::npos || dot < nameStart ? scenePath : scenePath.substr(0, dot);
  return stem + ".screenshot.png";
}

bool ComposeScene(const LoadScreenDocument& document, const std::string& screenshotFile, std::string& text,
                  std::string& error, SceneSelection selection) {
  auto refuse = [&error](const std::string& message) {
    error = message;
    return false;
  };
  SceneText scene;
  scene.Line("; Load screen scene, written by Vantorel 1.11");
  scene.Line(std::string("[") + scene_key::kSection + "]");
  scene.Entry(scene_key::kSide, SideName(document.side));
  scene.Entry(scene_key::kCameos, std::to_string(document.cameoCount == 3 ? 3 : 2));
  for (int slot = 0; slot < 3; ++slot) {
    if (!document.cameos[slot].IsValid()) continue;
    const std::string& file = document.cameoFiles[slot];
    const std::string key = scene_key::Cameo(slot);
    if (file.empty()) return refuse("the file of cameo " + std::to_string(slot + 1) + " is not known");
    if (!FitsValue(file)) return refuse("the cameo file name '" + file + "' cannot be written in a scene");
    scene.Entry(key, file);
  }
  if (document.screenshot.IsValid()) {
    if (!FitsValue(screenshotFile))
      return refuse("the screenshot file name '" + screenshotFile + "' cannot be written in a scene");
    scene.Entry(scene_key::kScreenshot, screenshotFile);
    // The picture is written uncoloured; the colour settings stay settings.
    const ColourizeSettings& colour = document.screenshotColour;
    if (document.screenshotBackup.IsValid() && !(colour == ColourizeSettings{})) {
      if (colour.greyMode)
        scene.Entry(scene_key::kScreenshotColour, scene_key::kGrey);
      else if (colour.redLevel != 255 || colour.greenLevel != 255 || colour.blueLevel != 255)
        scene.Entry(scene_key::kScreenshotColour, std::to_string(colour.redLevel) + "," +
                                                      std::to_string(colour.greenLevel) + "," +
                                                      std::to_string(colour.blueLevel));
      if (colour.intensity != 255) scene.Entry(scene_key::kScreenshotIntensity, std::to_string(colour.intensity));
    }
  }
  scene.Entry(scene_key::kSmallMapOffset, PointValue(document.smallMapOffset));
  scene.Entry(scene_key::kLargeMapOffset, PointValue(document.largeMapOffset));
  scene.Entry(scene_key::kTargetBoxY, std::to_string(document.targetBoxPos.y));
  scene.Entry(scene_key::kUpperLayer, document.viewTop ? scene_key::kYes : scene_key::kNo);
  scene.Entry(scene_key::kLowerLayer, document.viewBottom ? scene_key::kYes : scene_key::kNo);
  scene.Line("");
  scene.Line(std::string("[") + scene_key::kMarkersSection + "]");
  // A scene the reader would refuse is not written.
  if (static_cast<std::size_t>(document.markers.Count()) > kMaxSceneMarkers)
    return refuse("the screen has " + std::to_string(document.markers.Count()) + " markers, more than the " +
                  std::to_string(kMaxSceneMarkers) + " a scene may hold");
  for (int i = 0; i < document.markers.Count(); ++i) {
    const Marker& marker = document.markers.MarkerAt(i);
    const std::string number = std::to_string(i + 1);
    if (marker.symbolFile.empty()) return refuse("the symbol file of marker " + number + " is not known");
    if (!FitsValue(marker.symbolFile) || marker.symbolFile.find(',') != std::string::npos)
      return refuse("the symbol file name '" + marker.symbolFile + "' cannot be written in a scene");
    const char* colour = MarkerColourName(static_cast<Pixel>(marker.colour));
    if (!colour) return refuse("marker " + number + " has no side colour");
    const bool selected = selection == SceneSelection::kKept && marker.selected;
    scene.Entry(number, marker.symbolFile + "," + colour + "," + std::to_string(marker.x) + "," +
                            std::to_string(marker.y) + (selected ? std::string(",") + scene_key::kSelected : ""));
  }
  text = scene.text();
  return true;
}

bool SaveScene(const std::string& scenePath, const LoadScreenDocument& document, std::string& error,
               SceneSelection selection) {
  const std::string screenshotPath = ScreenshotFileFor(scenePath);
  std::string text;
  if (!ComposeScene(document, FileNameOfPath(screenshotPath), text, error, selection)) return false;
  std::vector<FileContent> files;
  if (document.screenshot.IsValid()) {
    std::vector<unsigned char> png;
    const MemoryImage& picture = document.screenshotBackup.IsValid() ? document.screenshotBackup : document.screenshot;
    if (!EncodeImageFile(screenshotPath.c_str(), picture, png)) {
      error = "cannot encode the screenshot as PNG (out of memory?)";
      return false;
    }
    files.push_back({screenshotPath, std::string(png.begin(), png.end())});
  }
  // The screenshot first: a scene is only ever put in place with its screenshot there.
  files.push_back({scenePath, std::move(text)});
  return ReplaceFilesTogether(files, error);
}
