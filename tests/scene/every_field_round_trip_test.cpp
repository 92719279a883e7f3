// Every field of a load screen, changed away from the editor's start, comes back exactly
// through undo and redo and through a scene file: a field missed by the undo state or by
// the scene reader or writer shows up here.
#include <gtest/gtest.h>

#include <string>

#include "colourize.h"
#include "content_commands.h"
#include "document_state.h"
#include "edit_keys.h"
#include "editor_start.h"
#include "image_files.h"
#include "marker_commands.h"
#include "package_templates.h"
#include "renderer.h"
#include "scene_reader.h"
#include "scene_writer.h"
#include "symbol_marker.h"
#include "temp_folder.h"

namespace {

MemoryImage Shot() {
  MemoryImage image;
  image.Create(ScreenshotWidth, ScreenshotHeight);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) image.WritePixel(x, y, MakePixel(x * 2, y, x ^ y));
  return image;
}

// Both layers drawn whatever the switches say, so that nothing the screen holds is hidden
// from the comparison; the switches themselves are compared as content.
MemoryImage Everything(LoadScreenDocument& doc) {
  const bool top = doc.viewTop, bottom = doc.viewBottom;
  doc.viewTop = doc.viewBottom = true;
  MemoryImage canvas;
  canvas.Create(CanvasWidth, CanvasHeight);
  RenderLoadScreen(doc, &canvas);
  doc.viewTop = top;
  doc.viewBottom = bottom;
  return canvas;
}

void ChangeEveryField(LoadScreenDocument& doc, UndoHistory& history) {
  ASSERT_TRUE(doc.SetSide(Soviet));
  ASSERT_TRUE(doc.SetCameoCount(3));
  ASSERT_TRUE(SetCameo(doc, 0, PackageTemplate("cameo_tank.png"), "cameo_tank.png"));
  ASSERT_TRUE(SetCameo(doc, 1, PackageTemplate("cameo_jet.png"), "cameo_jet.png"));
  ASSERT_TRUE(SetCameo(doc, 2, PackageTemplate("cameo_ship.png"), "cameo_ship.png"));
  ASSERT_TRUE(SetScreenshot(doc, Shot(), "battle.png"));
  ASSERT_TRUE(ColourizeScreenshot(doc, {false, 100, 30, 200, 300}));
  for (const auto& [mode, key] : {std::pair{EditMode::SmallMap, keys::kRight},
                                  {EditMode::SmallMap, keys::kDown},
                                  {EditMode::LargeMap, keys::kLeft},
                                  {EditMode::LargeMap, keys::kUp},
                                  {EditMode::TargetBox, keys::kDown}}) {
    OnKeyWithHistory(doc, history, mode, key, 10);
    history.EndGroup(doc);
  }
  std::string problem;
  ASSERT_TRUE(AddSymbolMarker(doc, "sym_flag.png", kSideColourRed, {0, 0}, problem)) << problem;
  ASSERT_TRUE(AddSymbolMarker(doc, "sym_skull.png", kSideColourPurpure, {0, 0}, problem)) << problem;
  MoveMarkerTo(doc, 1, 610, 40);
  SelectMarker(doc, 1);
  doc.SetLayers(false, false);
}

}  // namespace

TEST(EveryField, ComesBackThroughUndoRedoAndASceneFile) {
  InitImageFiles();
  LoadScreenDocument doc;
  doc.appDir = kPackage;
  UndoHistory history;
  std::string error;
  ASSERT_TRUE(StartEditorDocument(doc, history, error)) << error;
  ImagePool pool;
  const DocumentState start = CaptureState(doc, pool);
  const MemoryImage startPicture = Everything(doc);

  ChangeEveryField(doc, history);
  const DocumentState changed = CaptureState(doc, pool);
  const MemoryImage changedPicture = Everything(doc);
  ASSERT_FALSE(SameImage(startPicture, changedPicture));
  // Each field really moved off its start (equal settings would hide a field never restored).
  const DocumentSettings& was = start.settings;
  EXPECT_TRUE(doc.side != was.side && doc.cameoCount != was.cameoCount && doc.viewTop != was.viewTop &&
              doc.viewBottom != was.viewBottom && doc.smallMapOffset != was.smallMapOffset &&
              doc.largeMapOffset != was.largeMapOffset && doc.targetBoxPos != was.targetBoxPos &&
              doc.screenshotName != was.screenshotName && !(doc.screenshotColour == was.screenshotColour));
  for (int slot = 0; slot < 3; ++slot) EXPECT_NE(doc.cameoFiles[slot], was.cameoFiles[slot]) << slot;

  while (history.Undo(doc)) {
  }
  EXPECT_TRUE(SameContent(start, doc));
  EXPECT_TRUE(SameImage(Everything(doc), startPicture));
  EXPECT_EQ(doc.markers.Count(), 0);
  while (history.Redo(doc)) {
  }
  EXPECT_TRUE(SameContent(changed, doc));
  EXPECT_TRUE(SameImage(Everything(doc), changedPicture));
  EXPECT_EQ(doc.selectedMarker, 1);

  TempFolder folder;
  const std::string scene = folder.Path("every.ini");
  ASSERT_TRUE(SaveScene(scene, doc, error, SceneSelection::kKept)) << error;
  LoadScreenDocument read;
  read.appDir = kPackage;
  ASSERT_TRUE(LoadScene(scene, read, error)) << error;
  // The screenshot now comes from the picture saved beside the scene.
  doc.screenshotName = ScreenshotFileFor(scene);
  EXPECT_TRUE(SameContent(CaptureState(read, pool), doc));
  EXPECT_TRUE(SameImage(Everything(read), changedPicture));
  EXPECT_EQ(read.selectedMarker, 1);
}
