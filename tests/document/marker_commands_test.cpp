#include "marker_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "edit_keys.h"

namespace {

// Records what the document asked of the window layer.
struct RecordingShell : DocumentShell {
  int repaints = 0, beeps = 0, listChanges = 0;
  std::vector<bool> deleteItem;
  std::string sideStatus;
  void RepaintView() override { ++repaints; }
  void SetSideStatus(const char* text) override { sideStatus = text; }
  void SetDeleteItemEnabled(bool enabled) override { deleteItem.push_back(enabled); }
  void Beep() override { ++beeps; }
  void MarkerListChanged() override { ++listChanges; }
};

MemoryImage Symbol(int w, int h) {
  MemoryImage image;
  image.Create(w, h);
  image.Fill(0x00FFFF00);
  return image;
}

struct Markers : ::testing::Test {
  RecordingShell shell;
  LoadScreenDocument doc{&shell};
  Point At(int i) { return {doc.markers.MarkerAt(i).x, doc.markers.MarkerAt(i).y}; }
};

}  // namespace

TEST_F(Markers, AddedUnselectedOnTopAndDeleteEnabled) {
  AddMarker(doc, Symbol(20, 20), 100, 100, 0xCE0000);
  AddMarker(doc, Symbol(20, 20), 100, 100, 0x6150FF);
  ASSERT_EQ(doc.markers.Count(), 2);
  EXPECT_EQ(doc.markers.MarkerAt(1).colour, 0x6150FF);
  EXPECT_EQ(doc.markers.MarkerAt(1).selected, 0);
  EXPECT_EQ(doc.selectedMarker, -1);
  EXPECT_EQ(shell.deleteItem.back(), true);
  EXPECT_EQ(shell.listChanges, 2) << "a drag in progress must end";
}

TEST_F(Markers, SelectionIsSingle) {
  for (int i = 0; i < 3; ++i) AddMarker(doc, Symbol(5, 5), i * 10, 0, 0);
  SelectMarker(doc, 1);
  SelectMarker(doc, 2);
  EXPECT_EQ(doc.selectedMarker, 2);
  EXPECT_EQ(doc.markers.MarkerAt(1).selected, 0);
  EXPECT_EQ(doc.markers.MarkerAt(2).selected, 1);
  SelectNextMarker(doc);  // Tab after the last one: back to 0
  EXPECT_EQ(doc.selectedMarker, 0);
  EXPECT_EQ(doc.markers.MarkerAt(2).selected, 0);
  SelectNextMarker(doc);
  EXPECT_EQ(doc.selectedMarker, 1);
  ClearSelection(doc);
  EXPECT_EQ(doc.selectedMarker, -1);
  EXPECT_EQ(shell.deleteItem.back(), false);
  SelectNextMarker(doc);  // nothing selected: marker 0
  EXPECT_EQ(doc.selectedMarker, 0);
}

TEST_F(Markers, TabWithASingleMarkerKeepsIt) {
  AddMarker(doc, Symbol(5, 5), 0, 0, 0);
  SelectMarker(doc, 0);
  SelectNextMarker(doc);
  EXPECT_EQ(doc.selectedMarker, 0);
  EXPECT_EQ(doc.markers.MarkerAt(0).selected, 1);
}

TEST_F(Markers, DeleteClearsTheSelectionAndGraysWhenEmpty) {
  AddMarker(doc, Symbol(5, 5), 1, 0, 0);
  AddMarker(doc, Symbol(6, 6), 2, 0, 0);
  AddMarker(doc, Symbol(7, 7), 3, 0, 0);
  DeleteSelectedMarker(doc);  // nothing selected
  EXPECT_EQ(doc.markers.Count(), 3);
  SelectMarker(doc, 1);
  DeleteSelectedMarker(doc);
  ASSERT_EQ(doc.markers.Count(), 2);
  EXPECT_EQ(At(1).x, 3) << "A, C remain in order";
  EXPECT_EQ(doc.markers.MarkerAt(1).image.width, 7);
  EXPECT_EQ(doc.selectedMarker, -1) << "no stale index";
  EXPECT_EQ(doc.markers.MarkerAt(0).selected + doc.markers.MarkerAt(1).selected, 0);
  SelectMarker(doc, 1);
  DeleteSelectedMarker(doc);
  SelectMarker(doc, 0);
  DeleteSelectedMarker(doc);
  EXPECT_EQ(doc.markers.Count(), 0);
  EXPECT_EQ(shell.deleteItem.back(), false);
}

TEST_F(Markers, HitTestIncludesTheFarEdgesAndTakesTheMarkerOnTop) {
  AddMarker(doc, Symbol(10, 10), 50, 50, 0);
  AddMarker(doc, Symbol(10, 10), 55, 55, 0);
  EXPECT_EQ(HitTestMarker(doc, 60, 52), 0) << "x + w is still inside";
  EXPECT_EQ(HitTestMarker(doc, 60, 60), 1) << "where they overlap, the one drawn last";
  EXPECT_EQ(HitTestMarker(doc, 65, 65), 1);
  EXPECT_EQ(HitTestMarker(doc, 49, 50), -1);
  EXPECT_EQ(HitTestMarker(doc, 66, 55), -1);
}

TEST_F(Markers, MovesAreClampedInsideTheCanvas) {
  AddMarker(doc, Symbol(20, 20), 100, 100, 0);
  MoveMarkerTo(doc, 0, 5000, 5000);
  EXPECT_EQ(At(0).x, 779);
  EXPECT_EQ(At(0).y, 499);
  MoveMarkerTo(doc, 0, -7, -3);
  EXPECT_EQ(At(0).x, 0);
  EXPECT_EQ(At(0).y, 0);
  MoveMarkerTo(doc, 1, 10, 10);
  MoveMarkerTo(doc, -1, 10, 10);
  EXPECT_EQ(At(0).x, 0);

  SelectMarker(doc, 0);
  for (int i = 0; i < 100; ++i) OnMarkerKey(doc, keys::kRight, 10);
  for (int i = 0; i < 100; ++i) OnMarkerKey(doc, keys::kDown, 10);
  EXPECT_EQ(At(0).x, 779) << "the keys stop where the drag stops";
  EXPECT_EQ(At(0).y, 499);
  OnMarkerKey(doc, keys::kLeft, 5);
  OnMarkerKey(doc, keys::kUp, 2);
  EXPECT_EQ(At(0).x, 774);
  EXPECT_EQ(At(0).y, 497);
}

TEST_F(Markers, OtherKeysBeepWithoutRepainting) {
  AddMarker(doc, Symbol(20, 20), 100, 100, 0);
  SelectMarker(doc, 0);
  const int repaints = shell.repaints;
  OnMarkerKey(doc, 17, 1);  // Ctrl itself
  OnMarkerKey(doc, 'A', 1);
  EXPECT_EQ(shell.beeps, 2);
  EXPECT_EQ(shell.repaints, repaints);
  EXPECT_EQ(At(0).x, 100);
  OnMarkerKey(doc, keys::kEscape, 1);
  EXPECT_EQ(doc.selectedMarker, -1);
  SelectMarker(doc, 0);
  OnKey(doc, EditMode::SmallMap, keys::kDelete, 1);
  EXPECT_EQ(doc.markers.Count(), 0);
}

TEST(MarkerList, FallbackForOutsideIndexes) {
  MarkerList list;
  EXPECT_EQ(list.MarkerAt(0).image.width, 0);
  Marker m;
  m.x = 3;
  list.Append(m);
  list.MarkerAt(5).x = 99;  // a stale write goes nowhere visible
  EXPECT_EQ(list.MarkerAt(-1).x, 0);
  list.RemoveAt(1);
  list.RemoveAt(-1);
  EXPECT_EQ(list.Count(), 1);
  list.RemoveAt(0);
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(Markers, ModifierKeysAloneAreQuietWithASelectedMarker) {
  AddMarker(doc, Symbol(20, 20), 100, 100, 0);
  SelectMarker(doc, 0);
  // Shift, Ctrl and Alt, and their left and right variants, as a Ctrl+arrow brings them.
  for (int key : {16, 17, 18, 160, 161, 162, 163, 164, 165}) OnKey(doc, EditMode::SmallMap, key, 5);
  EXPECT_EQ(shell.beeps, 0);
  OnKey(doc, EditMode::SmallMap, keys::kLeft, 5);
  EXPECT_EQ(At(0).x, 95);
  OnKey(doc, EditMode::SmallMap, 20, 1);  // Caps Lock still means nothing here
  EXPECT_EQ(shell.beeps, 1);
}
