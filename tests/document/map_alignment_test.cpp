#include "map_alignment.h"

#include <gtest/gtest.h>

#include "undo_history.h"

namespace {

struct Alignment : ::testing::Test {
  LoadScreenDocument doc;
  void SetUp() override {
    doc.worldMap.Create(1000, 600);
    doc.worldMap2x.Create(2000, 1200);
    doc.smallTargetBox.Create(41, 31);
  }
};

}  // namespace

TEST_F(Alignment, CentreOfTheBoxComesToTheCentreOfTheWindow) {
  doc.smallMapOffset = {10, 20};
  doc.targetBoxPos = {232, 103};
  // wx = 10 + 232 + 20 = 262, x2 = 524, x = 524 - 140 = 384;
  // wy = 20 + 103 + 15 = 138, y2 = 276, y = 276 - 138 = 138.
  const Point aligned = AlignedLargeMapOffset(doc);
  EXPECT_EQ(aligned.x, 384);
  EXPECT_EQ(aligned.y, 138);
}

TEST_F(Alignment, WrapsAroundBothMaps) {
  // Past the world map's right edge: wx = (990 + 232 + 20) mod 1000 = 242, x2 = 484, x = 344.
  // Near the top: wy = (0 + 0 + 15) = 15, y2 = 30, y = (30 - 138) mod 1200 = 1092.
  doc.smallMapOffset = {990, 0};
  doc.targetBoxPos = {232, 0};
  const Point aligned = AlignedLargeMapOffset(doc);
  EXPECT_EQ(aligned.x, 344);
  EXPECT_EQ(aligned.y, 1092);
}

TEST_F(Alignment, MapsOfOtherScalesAndMissingMaps) {
  doc.worldMap2x.Create(1999, 1201);
  doc.smallMapOffset = {0, 0};
  doc.targetBoxPos = {333, 101};
  // wx = 353, x2 = 353 * 1999 / 1000 = 705, x = 565; wy = 116, y2 = 116 * 1201 / 600 = 232, y = 94.
  Point aligned = AlignedLargeMapOffset(doc);
  EXPECT_EQ(aligned.x, 565);
  EXPECT_EQ(aligned.y, 94);
  doc.worldMap.Free();
  doc.largeMapOffset = {7, 8};
  aligned = AlignedLargeMapOffset(doc);
  EXPECT_EQ(aligned.x, 7);
  EXPECT_EQ(aligned.y, 8);
}

TEST_F(Alignment, OneUndoableStepOnlyWhenItMoves) {
  UndoHistory history;
  doc.SetRecorder(&history);
  doc.largeMapOffset = {1, 1};
  AlignLargeMap(doc);
  EXPECT_EQ(doc.largeMapOffset.x, AlignedLargeMapOffset(doc).x);
  EXPECT_TRUE(history.CanUndo());
  AlignLargeMap(doc);  // already aligned: no second step
  history.Undo(doc);
  EXPECT_EQ(doc.largeMapOffset.x, 1);
  EXPECT_EQ(doc.largeMapOffset.y, 1);
  EXPECT_FALSE(history.CanUndo());
  doc.SetRecorder(nullptr);
}
