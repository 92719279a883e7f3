#include "editor_start.h"

#include "renderer.h"

void PlaceStartScreen(LoadScreenDocument& document, bool firstPictureOnly) {
  document.largeMapOffset = kDefaultLargeMapOffset;
  document.targetBoxPos = kDefaultLargeMapOffset;
  if (firstPictureOnly) document.worldMap2xRowLimit = document.largeMapOffset.y + layout::kLargeMapHeight;
  if (document.imageCache) document.imageCache->Prefetch(document.TemplateFilesToLoad(Allied, 2));
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
