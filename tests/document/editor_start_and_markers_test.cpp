// The editor's start, a symbol added as a marker, and a marker dragged with the mouse: the
// behaviour the editor, scene files and the test driver's model all go through.
#include <gtest/gtest.h>

#include <string>

#include "editor_start.h"
#include "marker_commands.h"
#include "marker_drag.h"
#include "symbol_marker.h"
#include "test_package.h"

namespace {

struct Start : ::testing::Test {
  TestPackage package;
  LoadScreenDocument doc;
  UndoHistory history;
  std::string message;
  void SetUp() override {
    package.WriteComplete();
    doc.appDir = package.AppDir();
  }
};

}  // namespace

TEST_F(Start, AlliedTwoSlotsBothLayersNothingModifiedOrAMissingTemplateNamed) {
  ASSERT_TRUE(StartEditorDocument(doc, history, message)) << message;
  EXPECT_EQ(doc.side, Allied);
  EXPECT_EQ(doc.cameoCount, 2);
  EXPECT_TRUE(doc.viewTop && doc.viewBottom);
  EXPECT_EQ(doc.largeMapOffset.x, 232);
  EXPECT_EQ(doc.targetBoxPos.y, 103);
  EXPECT_EQ(doc.worldMap2x.height, 600) << "the stand-ins decode the 2x map whole";
  EXPECT_FALSE(history.Modified());
  EXPECT_FALSE(history.CanUndo());
  ASSERT_TRUE(doc.SetSide(Soviet));
  EXPECT_TRUE(history.CanUndo()) << "changes after the start are recorded";

  LoadScreenDocument partial;
  partial.appDir = package.AppDir();
  ASSERT_TRUE(LoadStartTemplates(partial, true, message));
  EXPECT_EQ(partial.worldMap2x.height, 103 + 277) << "only down to the large map's first window";

  package.Remove("all_2icomain.png");
  LoadScreenDocument missing;
  missing.appDir = package.AppDir();
  UndoHistory unused;
  EXPECT_FALSE(StartEditorDocument(missing, unused, message));
  EXPECT_NE(message.find("all_2icomain.png"), std::string::npos) << message;
}

TEST_F(Start, SymbolMarkerTintedWithItsFileOrNothingAddedWithTheReason) {
  MemoryImage symbol;
  symbol.Create(6, 4);
  symbol.Fill(kTransparentKey);
  symbol.WritePixel(2, 1, kSymbolSideColourKey);
  ASSERT_TRUE(SaveImageFile((package.Root() + "/Templates/sym_dot.png").c_str(), symbol));

  ASSERT_TRUE(AddSymbolMarker(doc, "sym_dot.png", kSideColourRed, {100, 100}, message)) << message;
  ASSERT_EQ(doc.markers.Count(), 1);
  const Marker& m = doc.markers.MarkerAt(0);
  EXPECT_EQ(m.x, 100);
  EXPECT_EQ(m.symbolFile, "sym_dot.png");
  EXPECT_EQ(m.colour, static_cast<int>(kSideColourRed));
  EXPECT_EQ(m.image.ReadPixel(2, 1), kSideColourRed);
  EXPECT_EQ(m.image.ReadPixel(0, 0), kTransparentKey) << "the background stays for the renderer";
  EXPECT_FALSE(m.selected);

  EXPECT_FALSE(AddSymbolMarker(doc, "sym_none.png", kSideColourBlue, {0, 0}, message));
  EXPECT_NE(message.find("sym_none.png: "), std::string::npos) << message;
  EXPECT_EQ(doc.markers.Count(), 1);
  EXPECT_FALSE(AddSymbolMarker(doc, std::string(5000, 'x') + ".png", kSideColourBlue, {0, 0}, message));
  EXPECT_EQ(doc.markers.Count(), 1) << "a path too long is refused, not cut short";
}

TEST_F(Start, DragKeepsTheGrabPointStaysInsideAndUndoesAsOneStep) {
  ASSERT_TRUE(StartEditorDocument(doc, history, message)) << message;
  MemoryImage symbol;
  symbol.Create(20, 10);
  symbol.Fill(kSideColourBlue);
  AddMarker(doc, symbol, 100, 100, static_cast<int>(kSideColourBlue));
  history.EndGroup(doc);

  MarkerDrag drag;
  EXPECT_FALSE(drag.Press(doc, history, {50, 50})) << "a press beside every marker";
  EXPECT_EQ(doc.selectedMarker, -1);
  drag.Move(doc, {300, 300});
  EXPECT_EQ(doc.markers.MarkerAt(0).x, 100) << "no drag, no move";

  ASSERT_TRUE(drag.Press(doc, history, {105, 103}));
  EXPECT_EQ(doc.selectedMarker, 0);
  drag.Move(doc, {205, 153});
  EXPECT_EQ(doc.markers.MarkerAt(0).x, 200);
  EXPECT_EQ(doc.markers.MarkerAt(0).y, 150);
  drag.Move(doc, {5000, -40});
  EXPECT_EQ(doc.markers.MarkerAt(0).x, CanvasWidth - 1 - 20);
  EXPECT_EQ(doc.markers.MarkerAt(0).y, 0);
  drag.Release(doc, history);
  EXPECT_FALSE(drag.Running());
  const std::size_t steps = history.UndoSteps();
  ASSERT_TRUE(history.Undo(doc));
  EXPECT_EQ(doc.markers.MarkerAt(0).x, 100) << "the whole drag is one step";
  EXPECT_EQ(doc.selectedMarker, -1) << "back to the screen before the press";
  EXPECT_EQ(history.UndoSteps(), steps - 1);

  ASSERT_TRUE(drag.Press(doc, history, {101, 101}));
  drag.Cancel();
  drag.Move(doc, {400, 400});
  EXPECT_EQ(doc.markers.MarkerAt(0).x, 100) << "a cancelled drag moves nothing";
}
