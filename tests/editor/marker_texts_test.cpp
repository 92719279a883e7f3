// What the editor says about markers: the select-item list tells them apart by symbol and
// colour after the long-standing position text, and the status line names the selected one
// as it moves, and no longer once nothing is selected.
#include "marker_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "marker_commands.h"

namespace {

std::string English(const TextLine& line) { return Utf8Line(line, InterfaceLanguage::English); }
std::string Chinese(const TextLine& line) { return Utf8Line(line, InterfaceLanguage::Chinese); }

MemoryImage Square() {
  MemoryImage image;
  image.Create(20, 20);
  return image;
}

const std::vector<CatalogueEntry> kSymbols = {{"Arrow right", "sym_arrow_right.png"}, {"Star", "sym_star.png"}};

}  // namespace

TEST(MarkerListLine, PositionThenCatalogueNameAndColourInBothLanguages) {
  LoadScreenDocument document;
  AddMarker(document, Square(), 100, 100, static_cast<int>(kSideColourRed), "sym_arrow_right.png");
  AddMarker(document, Square(), 5, 7, static_cast<int>(kSideColourPurpure), "SYM_STAR.PNG");
  AddMarker(document, Square(), 300, 40, static_cast<int>(kSideColourBlue), "sym_unlisted.png");
  AddMarker(document, Square(), 12, 345, 0x123456, "sym_star.png");
  AddMarker(document, Square(), 1, 2, static_cast<int>(kSideColourBlue));
  const auto line = [&](int i) { return MarkerListLine(i, document.markers.MarkerAt(i), kSymbols); };
  EXPECT_EQ(English(line(0)), "00 : x = 100 y = 100   Arrow right (red)");
  EXPECT_EQ(Chinese(line(0)), "00 : x = 100 y = 100   Arrow right (红色)");
  EXPECT_EQ(English(line(1)), "01 : x = 005 y = 007   Star (purple)");
  EXPECT_EQ(English(line(2)), "02 : x = 300 y = 040   sym_unlisted.png (blue)");
  EXPECT_EQ(Chinese(line(2)), "02 : x = 300 y = 040   sym_unlisted.png (蓝色)");
  EXPECT_EQ(English(line(3)), "03 : x = 012 y = 345   Star (#123456)");
  EXPECT_EQ(English(line(4)), "04 : x = 001 y = 002") << "a marker of no known symbol keeps the position alone";
}

TEST(SelectedMarkerPosition, FollowsTheSelectionAndTheStatusLineNamesIt) {
  LoadScreenDocument document;
  StatusLine status;
  const auto hint = [&] {
    status.ShowSelection(SelectedMarkerPosition(document));
    return status.Part(StatusPart::Hint);
  };
  const std::string keyHint = English(hint());
  AddMarker(document, Square(), 100, 100, static_cast<int>(kSideColourBlue), "sym_star.png");
  AddMarker(document, Square(), 5, 7, static_cast<int>(kSideColourBlue), "sym_star.png");
  EXPECT_EQ(English(hint()), keyHint);
  SelectMarker(document, 1);
  EXPECT_EQ(English(hint()), "Selected item 01: x = 5, y = 7");
  EXPECT_EQ(Chinese(hint()), "已选项目 01: x = 5, y = 7");
  OnMarkerKey(document, keys::kRight, 10);
  EXPECT_EQ(English(hint()), "Selected item 01: x = 15, y = 7");
  // A report of what was written stands over it until it ends.
  status.ShowReport({{Text::ScreenshotNotChanged}});
  EXPECT_EQ(English(hint()), "The screenshot was not changed.");
  status.EndReport();
  EXPECT_EQ(English(hint()), "Selected item 01: x = 15, y = 7");
  DeleteSelectedMarker(document);
  EXPECT_EQ(English(hint()), keyHint);
  SelectMarker(document, 0);
  ClearSelection(document);
  EXPECT_EQ(English(hint()), keyHint);
}
