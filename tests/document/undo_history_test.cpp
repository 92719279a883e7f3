// The undo history: every kind of change undoes to the picture before it and redoes to the
// one after; failed and empty changes leave no step; drags and runs of key moves are one
// step; at least 200 steps with the pictures shared; the saved version.
#include "undo_history.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "content_commands.h"
#include "edit_keys.h"
#include "marker_commands.h"
#include "renderer.h"
#include "test_package.h"
#include "undo_group.h"

namespace {

// Neighbouring pixels differ, so a map shown one pixel off changes the picture.
MemoryImage Gradient(int w, int h, int seed) {
  MemoryImage image;
  image.Create(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.WritePixel(x, y, MakePixel(x * 3 + seed, y * 5 + seed, (x ^ y) + seed));
  return image;
}

MemoryImage Symbol(int w, int h, Pixel colour = kSideColourRed) {
  MemoryImage image;
  image.Create(w, h);
  image.Fill(colour);
  return image;
}

// Transparent but for a band at the top in a colour of its own, so the maps show through.
MemoryImage Frame(Pixel band) {
  MemoryImage image = Symbol(CanvasWidth, CanvasHeight, kTransparentKey);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < CanvasWidth; ++x) image.WritePixel(x, y, band);
  return image;
}

class History : public ::testing::Test {
 protected:
  void SetUp() override {
    package.WriteComplete();
    SaveImageFile((package.Root() + "/Templates/all_worldmap.png").c_str(), Gradient(1000, 600, 1));
    SaveImageFile((package.Root() + "/Templates/sov_worldmap.png").c_str(), Gradient(1000, 600, 90));
    SaveImageFile((package.Root() + "/Templates/com_worldmap2x.png").c_str(), Gradient(600, 600, 40));
    Pixel band = 0x102030;
    for (const char* frame : {"all_2icomain.png", "all_3icomain.png", "sov_2icomain.png", "sov_3icomain.png"})
      SaveImageFile((package.Root() + "/Templates/" + frame).c_str(), Frame(band += 0x111111));
    doc.appDir = package.AppDir();
    std::string message;
    ASSERT_TRUE(doc.LoadCommonTemplates(message)) << message;
    ASSERT_TRUE(doc.SetSide(Allied) && doc.SetCameoCount(2));
    AddMarker(doc, Symbol(20, 20), 100, 100, kSideColourRed, "a.png");
    AddMarker(doc, Symbol(10, 30), 300, 200, kSideColourBlue, "b.png");
    doc.SetRecorder(&history);
    history.MarkSaved();
  }

  MemoryImage Picture() {
    MemoryImage canvas;
    canvas.Create(CanvasWidth, CanvasHeight);
    RenderLoadScreen(doc, &canvas);
    return canvas;
  }
  void Key(EditMode mode, int key, int step = 1) { OnKeyWithHistory(doc, history, mode, key, step); }

  TestPackage package;
  LoadScreenDocument doc;
  UndoHistory history;
};

}  // namespace

TEST_F(History, EveryKindOfChangeUndoesToThePictureBeforeItAndRedoesToTheOneAfter) {
  struct Change {
    const char* name;
    std::function<void()> make;
    std::function<void()> prepare = [] {};  // before the picture "before": no change
  };
  const std::vector<Change> changes = {
      {"add marker", [&] { AddMarker(doc, Symbol(8, 8, kSideColourPurpure), 100, 100, kSideColourPurpure, "c.png"); }},
      {"drag",
       [&] {
         history.BeginGroup(doc);
         SelectMarker(doc, 0);  // the press; undone with the drag
         for (int x : {120, 180, 240}) MoveMarkerTo(doc, 0, x, x / 2);
         history.EndGroup(doc);
       }},
      {"marker keys",
       [&] {
         for (int key : {keys::kLeft, keys::kDown, keys::kDown}) Key(EditMode::SmallMap, key, 5);
       },
       [&] { SelectMarker(doc, 1); }},
      {"delete marker", [&] { Key(EditMode::SmallMap, keys::kDelete); }},
      {"small map keys",
       [&] {
         for (int key : {keys::kLeft, keys::kUp, keys::kRight}) Key(EditMode::SmallMap, key, 10);
       }},
      {"large map keys",
       [&] {
         for (int key : {keys::kDown, keys::kRight}) Key(EditMode::LargeMap, key, 2);
       }},
      {"target box keys",
       [&] {
         for (int key : {keys::kDown, keys::kDown, keys::kUp}) Key(EditMode::TargetBox, key, 5);
       }},
      {"side", [&] { doc.SetSide(Soviet); }},
      {"cameo count", [&] { doc.SetCameoCount(3); }},
      {"cameo", [&] { SetCameo(doc, 2, Gradient(76, 60, 7), "cameo.png"); }},
      {"empty cameo slot", [&] { ClearCameo(doc, 2); }},
      {"screenshot", [&] { SetScreenshot(doc, Gradient(234, 232, 3), "shot.png"); }},
      {"layers", [&] { doc.SetLayers(0, 1); }},
  };
  const MemoryImage first = Picture();
  std::size_t steps = 0;
  for (const Change& change : changes) {
    change.prepare();
    const MemoryImage before = Picture();
    change.make();
    history.EndGroup(doc);  // as the editor's next command would
    const MemoryImage after = Picture();
    ASSERT_EQ(history.UndoSteps(), ++steps) << change.name << " is not one step";
    ASSERT_FALSE(SameImage(before, after)) << change.name << " shows no change";
    ASSERT_TRUE(history.Modified()) << change.name;
    ASSERT_TRUE(history.Undo(doc)) << change.name;
    EXPECT_TRUE(SameImage(Picture(), before)) << change.name << " undone";
    ASSERT_TRUE(history.Redo(doc)) << change.name;
    EXPECT_TRUE(SameImage(Picture(), after)) << change.name << " redone";
    EXPECT_FALSE(history.CanRedo()) << change.name;
  }
  while (history.Undo(doc)) {
  }
  EXPECT_TRUE(SameImage(Picture(), first));
  EXPECT_FALSE(history.Modified()) << "back at the saved version";
  EXPECT_EQ(doc.markers.MarkerAt(0).symbolFile, "a.png");
  EXPECT_EQ(doc.cameoFiles[2], "");

  // A count undone and chosen again gets its own frame again, not the one put back.
  ASSERT_TRUE(doc.SetCameoCount(3));
  const MemoryImage three = Picture();
  ASSERT_TRUE(history.Undo(doc));
  ASSERT_TRUE(doc.SetCameoCount(3));
  EXPECT_TRUE(SameImage(Picture(), three));
}

TEST_F(History, ChangesThatFailOrChangeNothingLeaveNoStep) {
  package.Remove("psy_2icomain.png");
  EXPECT_FALSE(doc.SetSide(Yuri));
  EXPECT_FALSE(SetCameo(doc, 0, Gradient(76, 61, 0), "tall.png"));
  EXPECT_FALSE(SetScreenshot(doc, Gradient(233, 232, 0)));
  EXPECT_TRUE(doc.SetSide(Allied));
  EXPECT_TRUE(doc.SetCameoCount(2));
  doc.SetLayers(true, true);
  EXPECT_TRUE(ClearCameo(doc, 1));
  MoveMarkerTo(doc, 0, 100, 100);
  MoveMarkerTo(doc, 2, 0, 0);             // no such marker
  Key(EditMode::TargetBox, keys::kLeft);  // the box moves only up and down
  SelectMarker(doc, 1);
  Key(EditMode::SmallMap, keys::kTab);
  Key(EditMode::SmallMap, keys::kEscape);
  Key(EditMode::SmallMap, keys::kDelete);  // nothing selected
  // A group whose changes cancel out (the colourize dialog cancelled) leaves none either.
  {
    UndoGroup group(history, doc);
    MoveMarkerTo(doc, 1, 50, 50);
    MoveMarkerTo(doc, 1, 300, 200);
  }
  EXPECT_FALSE(history.GroupOpen());
  EXPECT_EQ(history.UndoSteps(), 0u);
  EXPECT_FALSE(history.Modified());
}

TEST_F(History, ARunOfKeyMovesOfOneTargetIsOneStep) {
  // Any direction and step, with Ctrl, Shift and Alt pressed alone between the moves.
  for (int key : {keys::kLeft, 17, keys::kUp, 16, keys::kLeft, 18, 162, keys::kDown})
    Key(EditMode::SmallMap, key, key == keys::kUp ? 10 : 1);
  EXPECT_EQ(history.UndoSteps(), 1u);
  // Another target (the large map) starts a run of its own, as does any other key.
  Key(EditMode::LargeMap, keys::kLeft);
  Key(EditMode::LargeMap, keys::kLeft);
  Key(EditMode::LargeMap, 'A');
  Key(EditMode::LargeMap, keys::kLeft);
  EXPECT_EQ(history.UndoSteps(), 3u);
  // A marker is a target of its own; Tab to the next marker ends its run.
  SelectMarker(doc, 0);
  Key(EditMode::LargeMap, keys::kRight);
  Key(EditMode::LargeMap, keys::kRight, 5);
  Key(EditMode::LargeMap, keys::kTab);
  Key(EditMode::LargeMap, keys::kRight);
  EXPECT_EQ(history.UndoSteps(), 5u);
  // Whatever ends the group ends the run (a command, a mouse action, Save).
  history.EndGroup(doc);
  Key(EditMode::LargeMap, keys::kRight);
  EXPECT_EQ(history.UndoSteps(), 6u);

  history.Undo(doc);
  history.Undo(doc);
  EXPECT_EQ(doc.markers.MarkerAt(1).x, 300) << "the second marker's run undone";
  history.Undo(doc);
  EXPECT_EQ(doc.markers.MarkerAt(0).x, 100) << "the first marker's run of 1 + 5 undone at once";
  EXPECT_EQ(doc.selectedMarker, 0) << "the selection as it was before the step";
}

TEST_F(History, ADragBackToItsStartKeepsTheRedoSteps) {
  MoveMarkerTo(doc, 0, 10, 10);
  history.Undo(doc);
  history.BeginGroup(doc);
  MoveMarkerTo(doc, 0, 400, 400);
  EXPECT_FALSE(history.CanRedo()) << "while the drag is away from its start";
  MoveMarkerTo(doc, 0, 100, 100);
  history.EndGroup(doc);
  EXPECT_FALSE(history.CanUndo());
  ASSERT_TRUE(history.Redo(doc));
  EXPECT_EQ(doc.markers.MarkerAt(0).x, 10);
}

TEST_F(History, KeepsAtLeast200StepsAndEachPictureOnce) {
  ASSERT_TRUE(SetScreenshot(doc, Gradient(234, 232, 5)));
  for (int i = 0; i < 300; ++i) MoveMarkerTo(doc, 0, i % 2 ? 10 : 20, i);
  EXPECT_EQ(history.UndoSteps(), kUndoSteps);
  EXPECT_GE(kUndoSteps, 200u);
  // 256 steps share one world map, frame, screenshot and two symbols.
  const std::size_t oneOfEach = (1000 * 600 + 800 * 520 + 234 * 232 + 20 * 20 + 10 * 30) * sizeof(Pixel);
  EXPECT_EQ(history.ImageBytes(), oneOfEach);
  // A screenshot taken in a drag-like group is stored once, however often it changed.
  history.BeginGroup(doc);
  for (int seed = 0; seed < 50; ++seed) SetScreenshot(doc, Gradient(234, 232, seed));
  history.EndGroup(doc);
  EXPECT_LE(history.ImageBytes(), oneOfEach + 234 * 232 * sizeof(Pixel));
  std::size_t undone = 0;
  while (history.Undo(doc)) ++undone;
  EXPECT_EQ(undone, kUndoSteps);
  EXPECT_EQ(doc.markers.MarkerAt(0).y, 300 - static_cast<int>(kUndoSteps));
}

TEST_F(History, ModifiedFollowsTheSavedVersion) {
  doc.SetLayers(0, 1);
  EXPECT_TRUE(history.Modified());
  history.MarkSaved();
  doc.SetLayers(0, 0);
  EXPECT_TRUE(history.Modified());
  history.Undo(doc);
  EXPECT_FALSE(history.Modified());
  history.Undo(doc);
  EXPECT_TRUE(history.Modified());
  history.Redo(doc);
  EXPECT_FALSE(history.Modified());
  // Opening a scene: the steps go, the version read is the saved one.
  history.Clear();
  history.MarkSaved();
  EXPECT_FALSE(history.CanUndo() || history.CanRedo() || history.Modified());
}

TEST_F(History, RecoveredWorkStaysUnsavedUntilSaved) {
  // A recovered copy opens with a fresh history and no file holding it.
  history.Clear();
  history.MarkUnsaved();
  EXPECT_TRUE(history.Modified());
  doc.SetLayers(0, 1);
  history.Undo(doc);
  EXPECT_TRUE(history.Modified()) << "undoing never reaches a saved version";
  history.MarkSaved();
  EXPECT_FALSE(history.Modified());
}
