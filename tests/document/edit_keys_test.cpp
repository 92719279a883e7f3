#include "edit_keys.h"

#include <gtest/gtest.h>

#include "marker_commands.h"

namespace {
struct MapKeys : ::testing::Test {
  LoadScreenDocument doc;
  void SetUp() override {
    doc.worldMap.Create(1000, 600);
    doc.worldMap2x.Create(2000, 1200);
    doc.largeTargetBox.Create(295, 289);
    doc.smallTargetBox.Create(40, 40);
  }
};
}  // namespace

TEST(EditKeys, Steps) {
  EXPECT_EQ(KeyStep(false, false), 1);
  EXPECT_EQ(KeyStep(false, true), 2);
  EXPECT_EQ(KeyStep(true, false), 5);
  EXPECT_EQ(KeyStep(true, true), 10);
}

TEST_F(MapKeys, MapsWrapToTheFarEdgeWhateverTheOvershoot) {
  doc.smallMapOffset = {3, 0};
  OnKey(doc, EditMode::SmallMap, keys::kLeft, 10);
  EXPECT_EQ(doc.smallMapOffset.x, 999);
  OnKey(doc, EditMode::SmallMap, keys::kRight, 10);
  EXPECT_EQ(doc.smallMapOffset.x, 0) << "past the right edge: 0, not the overshoot";
  OnKey(doc, EditMode::SmallMap, keys::kUp, 1);
  EXPECT_EQ(doc.smallMapOffset.y, 599);
  OnKey(doc, EditMode::SmallMap, keys::kDown, 5);
  EXPECT_EQ(doc.smallMapOffset.y, 0);

  OnKey(doc, EditMode::LargeMap, keys::kRight, 2);
  EXPECT_EQ(doc.largeMapOffset.x, 234);
  EXPECT_EQ(doc.smallMapOffset.x, 0) << "only the map of the mode moves";
  doc.largeMapOffset.y = 1194;
  OnKey(doc, EditMode::LargeMap, keys::kDown, 5);
  EXPECT_EQ(doc.largeMapOffset.y, 1199);
  OnKey(doc, EditMode::LargeMap, keys::kDown, 5);
  EXPECT_EQ(doc.largeMapOffset.y, 0);
}

TEST_F(MapKeys, TargetBoxMovesUpAndDownWithinItsBounds) {
  OnKey(doc, EditMode::TargetBox, keys::kLeft, 10);
  OnKey(doc, EditMode::TargetBox, keys::kRight, 10);
  EXPECT_EQ(doc.targetBoxPos.x, 232);
  EXPECT_EQ(doc.targetBoxPos.y, 103);
  for (int i = 0; i < 10; ++i) OnKey(doc, EditMode::TargetBox, keys::kUp, 10);
  EXPECT_EQ(doc.targetBoxPos.y, 56);
  for (int i = 0; i < 40; ++i) OnKey(doc, EditMode::TargetBox, keys::kDown, 10);
  EXPECT_EQ(doc.targetBoxPos.y, 289 - 40 + 48);
}

TEST_F(MapKeys, ASelectedMarkerTakesTheArrows) {
  MemoryImage symbol;
  symbol.Create(10, 10);
  AddMarker(doc, symbol, 100, 100, 0);
  SelectMarker(doc, 0);
  OnKey(doc, EditMode::SmallMap, keys::kLeft, 5);
  EXPECT_EQ(doc.markers.MarkerAt(0).x, 95);
  EXPECT_EQ(doc.smallMapOffset.x, 0);
}
