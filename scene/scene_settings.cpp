#include "scene_settings.h"

#include "marker_colours.h"
#include "nearest_word.h"
#include "scaled_crop.h"
#include "scene_keys.h"
#include "scene_values.h"

namespace {

// Parses one section's keys in the order the reader has always checked them, stopping at
// the first problem: a scene with two mistakes reports the same one every time.
class SettingsParser {
 public:
  SettingsParser(const SceneSection& screen, SceneSettings& settings, std::string& problem)
      : screen_(screen), settings_(settings), problem_(problem) {}

  bool Parse() {
    return KnownKeys() && SideAndCount() && Cameos() && Screenshot() && Offsets() &&
           Switch(scene_key::kUpperLayer, settings_.upperLayer) && Switch(scene_key::kLowerLayer, settings_.lowerLayer);
  }

  bool Markers(const SceneSection& section) {
    if (section.entries.size() > kMaxSceneMarkers)
      return Fail("line " + std::to_string(section.line) + ": [Markers] holds " +
                  std::to_string(section.entries.size()) + " markers, more than the " +
                  std::to_string(kMaxSceneMarkers) + " a scene may hold");
    for (const SceneEntry& entry : section.entries) {
      const std::string& key = entry.key;
      const auto fields = SplitFields(entry.value);
      if (fields.size() < 4 || fields.size() > 5)
        return Fail("marker " + key + ": expected symbol,colour,x,y[,selected]");
      SceneMarker marker;
      marker.key = key;
      marker.symbolFile = fields[0];
      if (!MarkerColourOf(fields[1], marker.colour))
        return Fail("marker " + key + ": unknown colour '" + fields[1] + "' (Blue, Red or Purpure)");
      std::string problem = NumberProblem(fields[2], marker.at.x);
      if (problem.empty()) problem = NumberProblem(fields[3], marker.at.y);
      if (!problem.empty()) return Fail("marker " + key + ": position " + problem);
      marker.selected = fields.size() == 5;
      if (marker.selected && Lower(fields[4]) != scene_key::kSelected)
        return Fail("marker " + key + ": fifth field must be 'selected'");
      settings_.markers.push_back(std::move(marker));
    }
    return true;
  }

 private:
  bool Fail(const std::string& message) {
    problem_ = message;
    return false;
  }

  const std::string* Find(const char* key) const {
    const SceneEntry* entry = screen_.Find(key);
    return entry ? &entry->value : nullptr;
  }

  // Unknown keys are refused: most likely a typing mistake that would otherwise pass unseen.
  bool KnownKeys() {
    for (const SceneEntry& entry : screen_.entries) {
      bool known = false;
      for (const char* name : scene_key::kAll) known = known || SameIgnoringCase(entry.key, name);
      if (!known)
        return Fail("line " + std::to_string(entry.line) + ": unknown key '" + entry.key + "' in [LoadScreen]" +
                    DidYouMean(entry.key, scene_key::kAll));
    }
    return true;
  }

  bool SideAndCount() {
    const std::string problem = SceneSideAndCount(screen_, settings_.side, settings_.cameoCount);
    return problem.empty() || Fail(problem);
  }

  bool Cameos() {
    for (int slot = 0; slot < 3; ++slot)
      if (const std::string* file = Find(scene_key::Cameo(slot).c_str())) settings_.cameoFiles[slot] = *file;
    return true;
  }

  bool Screenshot() {
    const std::string* file = Find(scene_key::kScreenshot);
    for (const char* key : {scene_key::kScreenshotScale, scene_key::kScreenshotColour, scene_key::kScreenshotIntensity,
                            scene_key::kScreenshotCrop})
      if (!file && Find(key)) return Fail(std::string(key) + " without " + scene_key::kScreenshot);
    if (!file) return true;
    settings_.screenshotFile = *file;
    if (const std::string* value = Find(scene_key::kScreenshotScale)) {
      int scale = 0;
      if (ParseInt(*value, scale) != Number::kOk || scale < kMinimumScale || scale > kMaximumScale)
        return Fail("ScreenshotScale must be 10..100, not '" + *value + "'");
      settings_.screenshotScale = scale;
    }
    if (const std::string* value = Find(scene_key::kScreenshotCrop)) {
      Point at;
      if (const std::string problem = PointProblem(*value, at); !problem.empty())
        return Fail("ScreenshotCrop: " + problem);
      settings_.screenshotCrop = at;
    }
    return Colour();
  }

  // The colourize dialog's settings: levels or grey, and the intensity.
  bool Colour() {
    const std::string* colour = Find(scene_key::kScreenshotColour);
    const std::string* intensity = Find(scene_key::kScreenshotIntensity);
    if (!colour && !intensity) return true;
    ColourizeSettings settings;
    if (colour && Lower(*colour) == scene_key::kGrey) {
      settings.greyMode = true;
    } else if (colour) {
      const auto levels = SplitFields(*colour);
      int* const into[3] = {&settings.redLevel, &settings.greenLevel, &settings.blueLevel};
      bool ok = levels.size() == 3;
      for (std::size_t i = 0; ok && i < 3; ++i)
        ok = ParseInt(levels[i], *into[i]) == Number::kOk && *into[i] >= 0 && *into[i] <= 255;
      if (!ok) return Fail("ScreenshotColour must be grey or R,G,B with levels 0..255, not '" + *colour + "'");
    }
    if (intensity &&
        (ParseInt(*intensity, settings.intensity) != Number::kOk || settings.intensity < 0 || settings.intensity > 511))
      return Fail("ScreenshotIntensity must be 0..511, not '" + *intensity + "'");
    settings_.screenshotColour = settings;
    return true;
  }

  bool Offset(const char* key, std::optional<SceneOffset>& into) {
    const std::string* value = Find(key);
    if (!value) return true;
    Point p;
    if (const std::string problem = PointProblem(*value, p); !problem.empty())
      return Fail(std::string(key) + ": " + problem);
    into = SceneOffset{p, *value};
    return true;
  }

  bool Offsets() {
    if (!Offset(scene_key::kSmallMapOffset, settings_.smallMapOffset) ||
        !Offset(scene_key::kLargeMapOffset, settings_.largeMapOffset))
      return false;
    if (const std::string* value = Find(scene_key::kTargetBoxY)) {
      int y = 0;
      if (const std::string problem = NumberProblem(*value, y); !problem.empty())
        return Fail(std::string(scene_key::kTargetBoxY) + ": " + problem);
      settings_.targetBoxY = y;
    }
    return true;
  }

  bool Switch(const char* key, std::optional<bool>& into) {
    const std::string* value = Find(key);
    if (!value) return true;
    const std::string v = Lower(*value);
    if (v == scene_key::kYes)
      into = true;
    else if (v == scene_key::kNo)
      into = false;
    else
      return Fail(std::string(key) + " must be yes or no, not '" + *value + "'");
    return true;
  }

  const SceneSection& screen_;
  SceneSettings& settings_;
  std::string& problem_;
};

}  // namespace

std::string SceneSideAndCount(const SceneSection& screen, int& side, int& count) {
  side = Allied;
  count = 2;
  if (const SceneEntry* entry = screen.Find(scene_key::kSide)) {
    const std::string name = Lower(entry->value);
    if (name == "allied")
      side = Allied;
    else if (name == "soviet")
      side = Soviet;
    else if (name == "yuri")
      side = Yuri;
    else
      return "unknown side '" + entry->value + "' (Allied, Soviet or Yuri)";
  }
  if (const SceneEntry* entry = screen.Find(scene_key::kCameos)) {
    if (ParseInt(entry->value, count) != Number::kOk || (count != 2 && count != 3))
      return "Cameos must be 2 or 3, not '" + entry->value + "'";
  }
  return {};
}

bool ParseSceneSettings(const SceneSection& screen, const SceneSection* markers, SceneSettings& settings,
                        std::string& problem) {
  SettingsParser parser(screen, settings, problem);
  return parser.Parse() && (!markers || parser.Markers(*markers));
}
