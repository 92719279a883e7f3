#include "scene_reader.h"

#include <optional>
#include <vector>

#include "colourize.h"
#include "content_commands.h"
#include "crop_image.h"
#include "crop_position.h"
#include "image_files.h"
#include "image_lib.h"
#include "marker_commands.h"
#include "path_limits.h"
#include "path_names.h"
#include "renderer.h"
#include "scaled_crop.h"
#include "scene_keys.h"
#include "scene_settings.h"
#include "scene_text.h"
#include "symbol_marker.h"

namespace {

constexpr int kScreenshotWidth = 234, kScreenshotHeight = 232;
constexpr int kCameoWidth = 76, kCameoHeight = 60;

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

  // The whole file is read and checked before anything is loaded; then the templates come
  // in the order ImageFiles announces, and the rest in the scene's order.
  bool Read() {
    SceneTextContent text;
    if (!LoadText(text)) return false;
    const Section& screen = *text.Find(scene_key::kSection);
    SceneSettings scene;
    if (std::string problem; !ParseSceneSettings(screen, text.Find(scene_key::kMarkersSection), scene, problem))
      return Fail(problem);
    if (maps_ == SceneMaps::kShownRowsOnly) SetMapRowLimits(scene);
    if (document_.imageCache) document_.imageCache->Prefetch(ImageFiles(screen));
    std::string message;
    if (!document_.HasCommonTemplates() && !document_.LoadCommonTemplates(message)) return TemplateFailure();
    return ApplySideAndCount(scene) && ApplyCameos(scene) && ApplyScreenshot(scene) && ApplyOffsets(scene) &&
           ApplyLayers(scene) && ApplyMarkers(scene);
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

  // The image files the scene is read from, in the order they are read, so that a cache
  // can decode them ahead. Taken from the section as written, so that a batch can announce
  // them before reading: a scene whose side or cameo count is wrong names only the common
  // templates, as its reading stops before any other file.
  std::vector<PrefetchFile> ImageFiles(const Section& screen) {
    int side = Allied, count = 2;
    const bool known = SceneSideAndCount(screen, side, count).empty();
    std::vector<PrefetchFile> files = document_.TemplateFilesToLoad(side, count);
    if (!known) files.resize(3);
    for (int slot = 0; slot < 3 && known; ++slot)
      if (const SceneEntry* file = screen.Find(scene_key::Cameo(slot))) files.push_back({CameoPath(file->value), 0});
    if (const SceneEntry* file = screen.Find(scene_key::kScreenshot); file && known)
      files.push_back({ScreenshotPath(file->value), 0});
    return files;
  }

  // Cameos and symbols are files of the package: a path of their own would only be joined
  // to its Templates folder into a path that names nothing.
  bool OutsidePackage(const std::string& what, const std::string& file) {
    return Fail(what + " " + file + " lies outside the package: cameos and symbols are looked up in " +
                document_.appDir + "Templates" + kPathSeparator +
                " (copy it there, or name another package with --package DIR)");
  }

  std::string CameoPath(const std::string& file) const {
    return document_.appDir + "Templates" + kPathSeparator + file;
  }
  std::string ScreenshotPath(const std::string& file) const {
    return IsAbsolute(file) ? file : FolderOfPath(scenePath_) + file;
  }

  bool ApplySideAndCount(const SceneSettings& scene) {
    document_.cameoCount = scene.cameoCount;
    if (!document_.SetSide(scene.side)) return TemplateFailure();
    return true;
  }

  bool ApplyCameos(const SceneSettings& scene) {
    for (int slot = 0; slot < 3; ++slot) {
      if (!scene.cameoFiles[slot]) continue;
      const std::string& file = *scene.cameoFiles[slot];
      if (IsAbsolute(file)) return OutsidePackage("cameo", file);
      MemoryImage& cameo = document_.cameos[slot];
      const std::string path = CameoPath(file);
      if (const std::string problem = ImageProblem(path, cameo); !problem.empty())
        return Fail("cannot load cameo " + path + ": " + problem);
      if (cameo.width != kCameoWidth || cameo.height != kCameoHeight)
        return Fail("cameo " + file + " is " + std::to_string(cameo.width) + " x " + std::to_string(cameo.height) +
                    ", not 76 x 60");
      document_.cameoFiles[slot] = file;
    }
    return true;
  }

  // Cropped and scaled as the crop dialog does, then coloured as the colourize dialog does.
  bool ApplyScreenshot(const SceneSettings& scene) {
    if (!scene.screenshotFile) return true;
    const std::string& file = *scene.screenshotFile;
    const std::string path = ScreenshotPath(file);
    MemoryImage source;
    if (const std::string problem = ImageProblem(path, source); !problem.empty())
      return Fail("cannot load screenshot " + path + ": " + problem);
    if (source.width < kScreenshotWidth || source.height < kScreenshotHeight)
      return Fail("screenshot " + file + " is " + std::to_string(source.width) + " x " + std::to_string(source.height) +
                  ", smaller than 234 x 232");
    const int scale = scene.screenshotScale.value_or(kMaximumScale);
    if (const std::string problem =
            ScaleFitProblem(scale, source.width, source.height, kScreenshotWidth, kScreenshotHeight);
        !problem.empty())
      return Fail("ScreenshotScale " + std::to_string(scale) + ": " + problem);
    const RegionSize region = ScaledRegion(scale, kScreenshotWidth, kScreenshotHeight);
    Point at = scene.screenshotCrop.value_or(Point{0, 0});
    at.x = ClampCropPosition(static_cast<unsigned>(at.x), source.width, region.width);
    at.y = ClampCropPosition(static_cast<unsigned>(at.y), source.height, region.height);
    if (!CropAndScale(document_.screenshot, source, at.x, at.y, scale, kScreenshotWidth, kScreenshotHeight))
      return Fail("cannot crop the screenshot (out of memory?)");
    if (!BackupScreenshot(document_)) return Fail("out of memory for the screenshot");
    document_.screenshotName = path;
    if (scene.screenshotColour && !ColourizeScreenshot(document_, *scene.screenshotColour))
      return Fail("out of memory for the screenshot");
    return true;
  }

  // Only the rows of the two maps the scene shows are decoded: from the top down to the
  // bottom of its window at the scene's offset (a window that wraps past the map's bottom
  // row needs every row, and gets them, as the limit is then beyond the map).
  void SetMapRowLimits(const SceneSettings& scene) {
    const auto limit = [](const std::optional<SceneOffset>& given, Point offset, int windowHeight) {
      if (given) offset = given->at;
      return offset.x >= 0 && offset.y >= 0 ? offset.y + windowHeight : 0;
    };
    document_.worldMapRowLimit = limit(scene.smallMapOffset, document_.smallMapOffset, CanvasHeight);
    document_.worldMap2xRowLimit = limit(scene.largeMapOffset, document_.largeMapOffset, layout::kLargeMapHeight);
  }

  // A map decoded only in part still holds every row up to an offset inside the map, so the
  // test below is the same as on the whole map; the message names the file's own size.
  bool ApplyOffset(const char* key, const std::optional<SceneOffset>& offset, const MemoryImage& map,
                   const std::string& file, Point& into) {
    if (!offset) return true;
    const Point p = offset->at;
    if (p.x < 0 || p.y < 0 || p.x >= map.width || p.y >= map.height) {
      ImageSize size{map.width, map.height};
      ImageGetSize(TemplatePath(document_.appDir, file).c_str(), &size);
      return Fail(std::string(key) + " " + offset->text + " lies outside its map (" + std::to_string(size.width) +
                  " x " + std::to_string(size.height) + ")");
    }
    into = p;
    return true;
  }

  bool ApplyOffsets(const SceneSettings& scene) {
    if (!ApplyOffset(scene_key::kSmallMapOffset, scene.smallMapOffset, document_.worldMap,
                     WorldMapFileName(document_.side), document_.smallMapOffset) ||
        !ApplyOffset(scene_key::kLargeMapOffset, scene.largeMapOffset, document_.worldMap2x, "com_worldmap2x.png",
                     document_.largeMapOffset))
      return false;
    if (scene.targetBoxY) document_.targetBoxPos.y = *scene.targetBoxY;
    return true;
  }

  bool ApplyLayers(const SceneSettings& scene) {
    if (scene.upperLayer) document_.viewTop = *scene.upperLayer;
    if (scene.lowerLayer) document_.viewBottom = *scene.lowerLayer;
    return true;
  }

  bool ApplyMarkers(const SceneSettings& scene) {
    for (const SceneMarker& marker : scene.markers) {
      if (IsAbsolute(marker.symbolFile)) return OutsidePackage("marker " + marker.key + ": symbol", marker.symbolFile);
      if (std::string problem; !AddSymbolMarker(document_, marker.symbolFile, marker.colour, {0, 0}, problem))
        return Fail("marker " + marker.key + ": cannot load symbol " + problem);
      const int index = document_.markers.Count() - 1;
      MoveMarkerTo(document_, index, marker.at.x, marker.at.y);
      if (marker.selected) {
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
