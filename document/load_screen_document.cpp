#include "load_screen_document.h"

#include <cstdio>
#include <filesystem>

#include "image_files.h"

namespace {
NullDocumentShell nullShell;

const char* const kPrefixes[] = {"all", "sov", "psy"};
const char* const kNames[] = {"Allied", "Soviet", "Yuri"};

// Loads a template into a fresh image; false (image empty) when the path is too long or the
// file cannot be read, with `problem` saying which file and why. Read through the
// document's image cache when it has one; templates are only ever read, so a cache shared
// by a batch hands out its own pixels.
bool LoadTemplate(const LoadScreenDocument& document, const std::string& fileName, MemoryImage& into,
                  TemplateProblem& problem, int rowLimit = 0) {
  into.Free();
  const std::string& appDir = document.appDir;
  problem = {appDir + "Templates" + kPathSeparator + fileName, {}, false};
  if (TemplatePath(appDir, fileName).empty()) {
    problem.reason = PathLengthProblem(problem.path);
    return false;
  }
  const bool loaded = document.imageCache
                          ? document.imageCache->LoadRowsToRead(problem.path, into, rowLimit, problem.reason)
                      : rowLimit > 0 ? LoadImageFileRows(problem.path.c_str(), into, rowLimit, problem.reason)
                                     : LoadImageFile(problem.path.c_str(), into, problem.reason);
  if (loaded) return true;
  std::error_code ignored;
  problem.missing = !std::filesystem::exists(problem.path, ignored);
  return false;
}

// Brings an offset back inside a map that may have another size than the previous one.
void WrapInside(Point& p, const MemoryImage& map) {
  if (map.width > 0) p.x = ((p.x % map.width) + map.width) % map.width;
  if (map.height > 0) p.y = ((p.y % map.height) + map.height) % map.height;
}
}  // namespace

const char* SidePrefix(int side) { return side == 0 || side == 1 ? kPrefixes[side] : kPrefixes[2]; }
const char* SideName(int side) { return side == 0 || side == 1 ? kNames[side] : kNames[2]; }

std::string TemplatePath(const std::string& appDir, const std::string& fileName) {
  std::string path = appDir + "Templates" + kPathSeparator + fileName;
  if (path.size() >= kMaxPath) return {};
  return path;
}

std::string WorldMapFileName(int side) { return std::string(SidePrefix(side)) + "_worldmap.png"; }

std::string InterfaceFrameFileName(int side, int cameoCount) {
  return std::string(SidePrefix(side)) + "_" + std::to_string(cameoCount) + "icomain.png";
}

LoadScreenDocument::LoadScreenDocument(DocumentShell* shell) : shell_(shell ? shell : &nullShell) {}

void LoadScreenDocument::SetShell(DocumentShell* shell) { shell_ = shell ? shell : &nullShell; }

namespace {

// A common template, with the message its absence gets.
struct CommonTemplate {
  const char* file;
  const char* missingMessage;
};
constexpr CommonTemplate kLargeTargetBox{"com_largetargetbox.png", "Error: Can't find com_largetargetbox.png file."};
constexpr CommonTemplate kSmallTargetBox{"com_smalltargetbox.png", "Error: Can't find com_smalltargetbox.png file."};
constexpr CommonTemplate kWorldMap2x{"com_worldmap2x.png", "Error: Can't find com_worldmap2x.PNG file."};

// LoadTemplate for a common template, with the message of LoadCommonTemplates on failure.
bool LoadCommon(LoadScreenDocument& document, const CommonTemplate& common, MemoryImage& into, int rowLimit,
                std::string& message) {
  TemplateProblem& problem = document.lastTemplateProblem;
  if (LoadTemplate(document, common.file, into, problem, rowLimit)) return true;
  // A file that is there but cannot be read is not reported as missing.
  message = problem.missing ? std::string(common.missingMessage)
                            : "Error: Can't load " + std::string(common.file) + " file: " + problem.reason + ".";
  return false;
}

}  // namespace

bool LoadScreenDocument::LoadCommonTemplates(std::string& message) {
  return LoadCommon(*this, kLargeTargetBox, largeTargetBox, 0, message) &&
         LoadCommon(*this, kSmallTargetBox, smallTargetBox, 0, message) &&
         LoadCommon(*this, kWorldMap2x, worldMap2x, worldMap2xRowLimit, message);
}

bool LoadScreenDocument::LoadWholeLargeMap(std::string& message) {
  // The rows there are go first, so that the whole map's rows (of the same size) take their
  // place rather than leave a hole in the heap.
  worldMap2x.Free();
  if (!LoadCommon(*this, kWorldMap2x, worldMap2x, 0, message)) return false;
  worldMap2xRowLimit = 0;
  return true;
}

std::vector<PrefetchFile> LoadScreenDocument::TemplateFilesToLoad(int side, int cameoCount) const {
  const auto file = [&](const std::string& name, int rowLimit) {
    return PrefetchFile{appDir + "Templates" + kPathSeparator + name, rowLimit};
  };
  return {file(kLargeTargetBox.file, 0), file(kSmallTargetBox.file, 0), file(kWorldMap2x.file, worldMap2xRowLimit),
          file(WorldMapFileName(side), worldMapRowLimit), file(InterfaceFrameFileName(side, cameoCount), 0)};
}

std::string LoadScreenDocument::SideStatusText() const {
  char text[64];
  std::snprintf(text, sizeof text, "%s - %d", SideName(side), cameoCount);
  return text;
}

void LoadScreenDocument::WriteSideStatus() { shell_->SetSideStatus(SideStatusText().c_str()); }

bool LoadScreenDocument::SetSide(int newSide) {
  if (newSide == side) return true;
  if (newSide < 0 || newSide > 2) return false;
  // Both templates go into temporaries first, so a missing file changes nothing.
  MemoryImage newMap, newFrame;
  const int frameCount = cameoCount == -1 ? 2 : cameoCount;
  if (!LoadTemplate(*this, WorldMapFileName(newSide), newMap, lastTemplateProblem, worldMapRowLimit)) return false;
  if (!LoadTemplate(*this, InterfaceFrameFileName(newSide, frameCount), newFrame, lastTemplateProblem)) return false;
  WillChange();
  side = newSide;
  worldMap = std::move(newMap);
  interfaceFrame = std::move(newFrame);
  frameCount_ = frameCount;
  WrapInside(smallMapOffset, worldMap);
  WriteSideStatus();
  shell_->RepaintView();
  return true;
}

bool LoadScreenDocument::SetCameoCount(int count) {
  if (count == cameoCount) return true;
  if (count != 2 && count != 3) return true;
  // The first count after the first side: that side loaded the frame for it already.
  const bool frameLoaded = count == frameCount_ && interfaceFrame.valid;
  MemoryImage newFrame;
  if (!frameLoaded && !LoadTemplate(*this, InterfaceFrameFileName(side, count), newFrame, lastTemplateProblem))
    return false;
  WillChange();
  if (!frameLoaded) {
    interfaceFrame = std::move(newFrame);
    frameCount_ = count;
  }
  cameoCount = count;
  WriteSideStatus();
  shell_->RepaintView();
  return true;
}

void LoadScreenDocument::RestoreCameoCount(int count, MemoryImage frame) {
  cameoCount = count;
  interfaceFrame = std::move(frame);
  frameCount_ = count == -1 ? 2 : count;
}

bool LoadScreenDocument::HasCommonTemplates() const {
  return largeTargetBox.IsValid() && smallTargetBox.IsValid() && worldMap2x.IsValid();
}

void LoadScreenDocument::SetLayers(bool top, bool bottom) {
  if (top != viewTop || bottom != viewBottom) WillChange();
  viewTop = top;
  viewBottom = bottom;
  shell_->SetLayerChecks(top, bottom);
  shell_->RepaintView();
}
