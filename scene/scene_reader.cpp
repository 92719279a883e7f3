#include "scene_reader.h"

#include <vector>

#include "colourize.h"
#include "content_commands.h"
#include "crop_image.h"
#include "crop_position.h"
#include "image_files.h"
#include "image_lib.h"
#include "marker_colours.h"
#include "marker_commands.h"
#include "renderer.h"
#include "scaled_crop.h"
#include "scene_keys.h"
#include "scene_text.h"
#include "scene_values.h"
#include "symbol_marker.h"
#include "path_limits.h"

namespace {

constexpr int kScreenshotWidth = 234, kScreenshotHeight = 232;
constexpr int kCameoWidth = 76, kCameoHeight = 60;

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of("/\\");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool IsAbsolute(const std::string& path) {
  if (!path.empty() && (path[0] == '/' || path[0] == '\\')) return true;
  return path.size() > 1 && path[1] == ':';
}

using Section = SceneSection;

// The sections a scene may hold; anything else is most likely a typing mistake.
bool IsSceneSection(const std::string& name) {
  return SameIgnoringCase(name, scene_key::kSection) || SameIgnoringCase(name, scene_key::kMarkersSection);
}

class SceneReader {
 public:
  SceneReader(const std::string& scenePath, LoadScreenDocument& document, SceneMaps maps, std::string& error)
      : scenePath_(scenePath), document_(document), maps_(maps), error_(error) {}

  bool Read() {
    SceneTextContent text;
    if (!LoadText(text)) return false;
    const Section& screen = *text.Find(scene_key::kSection);
    for (const SceneEntry& entry : screen.entries) {
      bool known = false;
      for (const char* name : scene_key::kAll) known = known || SameIgnoringCase(entry.key, name);
      if (!known) return Fail("line " + std::to_string(entry.line) + ": unknown key '" + entry.key + "' in [LoadScreen]");
    }
    if (maps_ == SceneMaps::kShownRowsOnly) SetMapRowLimits(screen);
    if (document_.imageCache) document_.imageCache->Prefetch(ImageFiles(screen));
    std::string message;
    if (!document_.HasCommonTemplates() && !document_.LoadCommonTemplates(message)) return TemplateFailure();
    return ReadSideAndCount(screen) && ReadCameos(screen) && ReadScreenshot(screen) && ReadOffsets(screen) &&
           ReadLayers(screen) && ReadMarkers(text.Find(scene_key::kMarkersSection));
  }

  // The image files Read takes, in its order; none when the scene file cannot be read.
  std::vector<PrefetchFile> ImageFiles() {
    SceneTextContent text;
    if (!LoadText(text)) return {};
    return ImageFiles(*text.Find(scene_key::kSection));
  }

 private:
  // The scene file read whole and parsed, with a [LoadScreen] section and no other but
  // [Markers].
  bool LoadText(SceneTextContent& text) {
    if (std::string reason; !ReadSceneText(scenePath_, text, reason)) return Fail(reason);
    for (const SceneSection& section : text.sections)
      if (!IsSceneSection(section.name))
        return Fail("line " + std::to_string(section.line) + ": unknown section [" + section.name +
                    "] (LoadScreen or Markers)");
    if (!text.Find(scene_key::kSection)) return Fail("no [LoadScreen] section");
    return true;
  }

  // One line naming the scene file.
  bool Fail(const std::string& message) {
    error_ = scenePath_ + ": " + message;
    return false;
  }

  // One line naming the package's template, which is at fault rather than the scene.
  bool TemplateFailure() {
    const TemplateProblem& problem = document_.lastTemplateProblem;
    error_ = problem.path + ": cannot load the template: " + problem.reason;
    return false;
  }

  // Why an image named in the scene cannot be used, or empty.
  // Through the document's cache when a batch shares one.
  std::string ImageProblem(const std::string& path, MemoryImage& into) const {
    if (std::string problem = PathLengthProblem(path); !problem.empty()) return problem;
    std::string reason;
    return LoadImageFileVia(document_.imageCache, path, into, reason) ? std::string() : reason;
  }

  const std::string* Find(const Section& section, const char* key) {
    const SceneEntry* entry = section.Find(key);
    return entry ? &entry->value : nullptr;
  }

  // The side and the cameo count the scene asks for (Allied and 2 when it names none); a
  // message when a value is not one of them.
  std::string SideAndCount(const Section& screen, int& side, int& count) {
    side = Allied;
    count = 2;
    if (const std::string* value = Find(screen, scene_key::kSide)) {
      const std::string name = Lower(*value);
      if (name == "allied") side = Allied;
      else if (name == "soviet") side = Soviet;
      else if (name == "yuri") side = Yuri;
      else return "unknown side '" + *value + "' (Allied, Soviet or Yuri)";
    }
    if (const std::string* value = Find(screen, scene_key::kCameos)) {
      if (ParseInt(*value, count) != Number::kOk || (count != 2 && count != 3))
        return "Cameos must be 2 or 3, not '" + *value + "'";
    }
    return {};
  }

  bool ReadSideAndCount(const Section& screen) {
    int side = Allied, count = 2;
    if (const std::string problem = SideAndCount(screen, side, count); !problem.empty()) return Fail(problem);
    document_.cameoCount = count;
    if (!document_.SetSide(side)) return TemplateFailure();
    return true;
  }

  // The image files the scene is read from, in the order they are read, so that a cache
  // can decode them ahead. A scene whose side or cameo count is wrong names only the common
  // templates: its reading stops at that error.
  std::vector<PrefetchFile> ImageFiles(const Section& screen) {
    int side = Allied, count = 2;
    const bool known = SideAndCount(screen, side, count).empty();
    std::vector<PrefetchFile> files = document_.TemplateFilesToLoad(side, count);
    if (!known) files.resize(3);
    for (int slot = 0; slot < 3 && known; ++slot)
      if (const std::string* file = Find(screen, scene_key::Cameo(slot).c_str()))
        files.push_back({CameoPath(*file), 0});
    if (const std::string* file = Find(screen, scene_key::kScreenshot); file && known) files.push_back({ScreenshotPath(*file), 0});
    return files;
  }

  std::string CameoPath(const std::string& file) const {
    return document_.appDir + "Templates" + kPathSeparator + file;
  }
  std::string ScreenshotPath(const std::string& file) const {
    return IsAbsolute(file) ? file : FolderOf(scenePath_) + file;
  }

  bool ReadCameos(const Section& screen) {
    for (int slot = 0; slot < 3; ++slot) {
      const std::string key = scene_key::Cameo(slot);
      const std::string* file = Find(screen, key.c_str());
      if (!file) continue;
      MemoryImage& cameo = document_.cameos[slot];
      const std::string path = CameoPath(*file);
      if (const std::string problem = ImageProblem(path, cameo); !problem.empty())
        return Fail("cannot load cameo " + path + ": " + problem);
      if (cameo.width != kCameoWidth || cameo.height != kCameoHeight)
        return Fail("cameo " + *file + " is " + std::to_string(cameo.width) + " x " + std::to_string(cameo.height) +
                    ", not 76 x 60");
      document_.cameoFiles[slot] = *file;
    }
    return true;
  }

  bool ReadScreenshot(const Section& screen) {
    const std::string* file = Find(screen, scene_key::kScreenshot);
    const std::string* crop = Find(screen, scene_key::kScreenshotCrop);
    for (const char* key : {scene_key::kScreenshotScale, scene_key::kScreenshotColour, scene_key::kScreenshotIntensity})
      if (!file && Find(screen, key)) return Fail(std::string(key) + " without Screenshot");
    if (!file) return crop ? Fail("ScreenshotCrop without Screenshot") : true;
    const std::string path = ScreenshotPath(*file);
    MemoryImage source;
    if (const std::string problem = ImageProblem(path, source); !problem.empty())
      return Fail("cannot load screenshot " + path + ": " + problem);
    if (source.width < kScreenshotWidth || source.height < kScreenshotHeight)
      return Fail("screenshot " + *file + " is smaller than 234 x 232");
    int scale = kMaximumScale;
    if (!ReadScale(screen, source, scale)) return false;
    const RegionSize region = ScaledRegion(scale, kScreenshotWidth, kScreenshotHeight);
    Point at{0, 0};
    if (crop)
      if (const std::string problem = PointProblem(*crop, at); !problem.empty())
        return Fail("ScreenshotCrop: " + problem);
    at.x = ClampCropPosition(static_cast<unsigned>(at.x), source.width, region.width);
    at.y = ClampCropPosition(static_cast<unsigned>(at.y), source.height, region.height);
    if (!CropAndScale(document_.screenshot, source, at.x, at.y, scale, kScreenshotWidth, kScreenshotHeight))
      return Fail("cannot crop the screenshot (out of memory?)");
    if (!BackupScreenshot(document_)) return Fail("out of memory for the screenshot");
    document_.screenshotName = path;
    return ReadColourize(screen);
  }

  // The crop dialog's scale: 10..100 percent, its region inside the picture.
  bool ReadScale(const Section& screen, const MemoryImage& source, int& scale) {
    const std::string* value = Find(screen, scene_key::kScreenshotScale);
    if (value && (ParseInt(*value, scale) != Number::kOk || scale < kMinimumScale || scale > kMaximumScale))
      return Fail("ScreenshotScale must be 10..100, not '" + *value + "'");
    const std::string problem = ScaleFitProblem(scale, source.width, source.height, kScreenshotWidth, kScreenshotHeight);
    return problem.empty() || Fail("ScreenshotScale " + std::to_string(scale) + ": " + problem);
  }

  // The colourize dialog's settings, applied to the cropped screenshot as the dialog does.
  bool ReadColourize(const Section& screen) {
    const std::string* colour = Find(screen, scene_key::kScreenshotColour);
    const std::string* intensity = Find(screen, scene_key::kScreenshotIntensity);
    if (!colour && !intensity) return true;
    ColourizeSettings settings;
    if (colour && Lower(*colour) == "grey") {
      settings.greyMode = true;
    } else if (colour) {
      const auto levels = SplitFields(*colour);
      int* const into[3] = {&settings.redLevel, &settings.greenLevel, &settings.blueLevel};
      bool ok = levels.size() == 3;
      for (std::size_t i = 0; ok && i < 3; ++i) ok = ParseInt(levels[i], *into[i]) == Number::kOk && *into[i] >= 0 && *into[i] <= 255;
      if (!ok) return Fail("ScreenshotColour must be grey or R,G,B with levels 0..255, not '" + *colour + "'");
    }
    if (intensity && (ParseInt(*intensity, settings.intensity) != Number::kOk || settings.intensity < 0 || settings.intensity > 511))
      return Fail("ScreenshotIntensity must be 0..511, not '" + *intensity + "'");
    if (!ColourizeScreenshot(document_, settings))
      return Fail("out of memory for the screenshot");
    return true;
  }

  // Only the rows of the two maps the scene shows are decoded: from the top down to the
  // bottom of its window at the scene's offset (a window that wraps past the map's bottom
  // row needs every row, and gets them, as the limit is then beyond the map). An offset
  // that does not parse is reported later; its map is decoded whole meanwhile.
  void SetMapRowLimits(const Section& screen) {
    const auto limit = [&](const char* key, Point offset, int windowHeight) {
      const std::string* value = Find(screen, key);
      if (value && !PointProblem(*value, offset).empty()) return 0;
      return offset.x >= 0 && offset.y >= 0 ? offset.y + windowHeight : 0;
    };
    document_.worldMapRowLimit = limit(scene_key::kSmallMapOffset, document_.smallMapOffset, CanvasHeight);
    document_.worldMap2xRowLimit = limit(scene_key::kLargeMapOffset, document_.largeMapOffset, layout::kLargeMapHeight);
  }

  // A map decoded only in part still holds every row up to an offset inside the map, so the
  // test below is the same as on the whole map; the message names the file's own size.
  bool ReadOffset(const Section& screen, const char* key, const MemoryImage& map, const std::string& file,
                  Point& into) {
    const std::string* value = Find(screen, key);
    if (!value) return true;
    Point p;
    if (const std::string problem = PointProblem(*value, p); !problem.empty())
      return Fail(std::string(key) + ": " + problem);
    if (p.x < 0 || p.y < 0 || p.x >= map.width || p.y >= map.height) {
      ImageSize size{map.width, map.height};
      ImageGetSize(TemplatePath(document_.appDir, file).c_str(), &size);
      return Fail(std::string(key) + " " + *value + " lies outside its map (" + std::to_string(size.width) + " x " +
                  std::to_string(size.height) + ")");
    }
    into = p;
    return true;
  }

  bool ReadOffsets(const Section& screen) {
    if (!ReadOffset(screen, scene_key::kSmallMapOffset, document_.worldMap, WorldMapFileName(document_.side),
                    document_.smallMapOffset))
      return false;
    if (!ReadOffset(screen, scene_key::kLargeMapOffset, document_.worldMap2x, "com_worldmap2x.png", document_.largeMapOffset))
      return false;
    if (const std::string* value = Find(screen, scene_key::kTargetBoxY))
      if (const std::string problem = NumberProblem(*value, document_.targetBoxPos.y); !problem.empty())
        return Fail("TargetBoxY: " + problem);
    return true;
  }

  bool ReadSwitch(const Section& screen, const char* key, bool& into) {
    const std::string* value = Find(screen, key);
    if (!value) return true;
    const std::string v = Lower(*value);
    if (v == "yes") into = true;
    else if (v == "no") into = false;
    else return Fail(std::string(key) + " must be yes or no, not '" + *value + "'");
    return true;
  }

  bool ReadLayers(const Section& screen) {
    return ReadSwitch(screen, scene_key::kUpperLayer, document_.viewTop) && ReadSwitch(screen, scene_key::kLowerLayer, document_.viewBottom);
  }

  bool ReadMarkers(const Section* section) {
    if (!section) return true;
    for (const SceneEntry& entry : section->entries) {
      const std::string& key = entry.key;
      const std::string& value = entry.value;
      const auto fields = SplitFields(value);
      if (fields.size() < 4 || fields.size() > 5)
        return Fail("marker " + key + ": expected symbol,colour,x,y[,selected]");
      Pixel colour = 0;
      if (!MarkerColourOf(fields[1], colour))
        return Fail("marker " + key + ": unknown colour '" + fields[1] + "' (Blue, Red or Purpure)");
      Point at;
      std::string problem = NumberProblem(fields[2], at.x);
      if (problem.empty()) problem = NumberProblem(fields[3], at.y);
      if (!problem.empty()) return Fail("marker " + key + ": position " + problem);
      const bool selected = fields.size() == 5;
      if (selected && Lower(fields[4]) != "selected")
        return Fail("marker " + key + ": fifth field must be 'selected'");
      if (std::string problem; !AddSymbolMarker(document_, fields[0], colour, {0, 0}, problem))
        return Fail("marker " + key + ": cannot load symbol " + problem);
      const int index = document_.markers.Count() - 1;
      MoveMarkerTo(document_, index, at.x, at.y);
      if (selected) {
        document_.markers.MarkerAt(index).selected = true;
        document_.selectedMarker = index;
      }
    }
    return true;
  }

  const std::string& scenePath_;
  LoadScreenDocument& document_;
  SceneMaps maps_;
  std::string& error_;
};

}  // namespace

bool LoadScene(const std::string& scenePath, LoadScreenDocument& document, std::string& error, SceneMaps maps) {
  return SceneReader(scenePath, document, maps, error).Read();
}

std::vector<PrefetchFile> SceneImageFiles(const std::string& scenePath, const std::string& appDir) {
  LoadScreenDocument document;
  document.appDir = appDir;
  std::string ignored;
  return SceneReader(scenePath, document, SceneMaps::kWhole, ignored).ImageFiles();
}
