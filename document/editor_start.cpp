#include "editor_start.h"

#include <algorithm>
#include <vector>

#include "renderer.h"

void PlaceStartScreen(LoadScreenDocument& document, bool firstPictureOnly) {
  document.largeMapOffset = kDefaultLargeMapOffset;
  document.targetBoxPos = kDefaultLargeMapOffset;
  if (firstPictureOnly) document.worldMap2xRowLimit = document.largeMapOffset.y + layout::kLargeMapHeight;
  if (!document.imageCache) return;
  // The second thread takes the files from the back: the 2x map, the longest to read, goes
  // last so that it starts with it, while this thread is still busy making the window.
  std::vector<PrefetchFile> files = document.TemplateFilesToLoad(Allied, 2);
  const auto largeMap = std::find_if(files.begin(), files.end(), [&](const PrefetchFile& file) {
    return file.path == TemplatePath(document.appDir, "com_worldmap2x.png");
  });
  if (largeMap != files.end()) std::rotate(largeMap, largeMap + 1, files.end());
  document.imageCache->Prefetch(std::move(files));
}

bool LoadStartTemplates(LoadScreenDocument& document, bool firstPictureOnly, std::string& message) {
  PlaceStartScreen(document, firstPictureOnly);
  return document.LoadCommonTemplates(message);
}

bool StartAlliedSide(LoadScreenDocument& document) {
  return document.SetSide(Allied) && (document.cameoCount == 2 || document.SetCameoCount(2));
}

bool StartEditorDocument(LoadScreenDocument& document, UndoHistory& history, std::string& message) {
  if (!LoadStartTemplates(document, false, message)) return false;
  if (!StartAlliedSide(document)) {
    message = "the package lacks a template of the Allied side: " + document.lastTemplateProblem.path;
    return false;
  }
  document.SetLayers(true, true);
  document.SetRecorder(&history);
  history.MarkSaved();
  return true;
}
