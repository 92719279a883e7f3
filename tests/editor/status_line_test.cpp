// The status line's hint part: a warning outlives a report, a report outlives the preview's
// figures until it is ended, the key hint is what is left; and the other two parts.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "status_line.h"

namespace {

std::string Hint(const StatusLine& line, InterfaceLanguage language = InterfaceLanguage::English) {
  return Utf8Line(line.Part(StatusPart::Hint), language);
}

const std::string kKeyHint = "Arrow keys move by 1 pixel: Shift 2, Ctrl 5, Ctrl+Shift 10";
const TextLine kSaved{{Text::SavedFile, {{"file", "a.ini"}}}};

TEST(StatusLine, HintPartKeepsTheFirstThatHolds) {
  StatusLine line;
  EXPECT_EQ(Hint(line), kKeyHint);
  line.ShowPreview(PreviewFigures{PreviewFigures::Method::Octree, false, 256, false, 40.08});
  EXPECT_EQ(Hint(line), "Preview: octree, 256 colours, 40.1 dB");
  line.ShowReport(kSaved);
  // A repaint of the preview comes with the same or new figures: the report stays.
  line.ShowPreview(PreviewFigures{PreviewFigures::Method::Best, true, 16, true, 0});
  EXPECT_EQ(Hint(line), "Saved a.ini");
  line.ShowWarning({{Text::RecoveryWriteFailed, {{"reason", "disk full"}}}});
  line.EndReport();
  line.ShowReport(kSaved);
  EXPECT_EQ(Hint(line), "The recovery copy could not be written: disk full");
  EXPECT_EQ(Hint(line, InterfaceLanguage::Chinese), "无法写入恢复副本：disk full");
  line.ClearWarning();
  EXPECT_EQ(Hint(line), "Saved a.ini");
  line.EndReport();
  EXPECT_EQ(Hint(line), "Preview: best, dithered, 16 colours, computing...");
  line.ShowPreview(std::nullopt);
  EXPECT_EQ(Hint(line), kKeyHint);
}

TEST(StatusLine, PreviewFiguresInBothLanguages) {
  StatusLine line;
  line.ShowPreview(PreviewFigures{PreviewFigures::Method::ExistingPalette, true, 200, false, INFINITY});
  EXPECT_EQ(Hint(line), "Preview: existing palette, dithered, 200 colours, lossless");
  EXPECT_EQ(Hint(line, InterfaceLanguage::Chinese), "预览: 现有调色板, 抖动, 200 色, 无损");
  // The 640 picture, with the pixels the games would show as holes counted once known.
  line.ShowPreview(PreviewFigures{PreviewFigures::Method::Octree, false, 256, false, 38.04, true, 12});
  EXPECT_EQ(Hint(line), "Preview 640 x 400: octree, 256 colours, 38.0 dB, 12 px on entry 0");
  EXPECT_EQ(Hint(line, InterfaceLanguage::Chinese), "预览 640 x 400: 八叉树, 256 色, 38.0 dB, 第 0 项 12 像素");
  line.ShowPreview(PreviewFigures{PreviewFigures::Method::Octree, false, 256, true, 38.04, true, 12});
  EXPECT_EQ(Hint(line), "Preview 640 x 400: octree, 256 colours, computing...");
}

TEST(StatusLine, TellsWhichPartChangedAndOnlyWhenItDid) {
  StatusLine line;
  std::vector<StatusPart> changed;
  line.SetListener([&](StatusPart part) { changed.push_back(part); });
  line.ShowSide("Allied - 2");
  line.ShowSide("Allied - 2");
  line.ShowMode(EditMode::LargeMap, 2);
  line.EndReport();  // none showing
  line.ShowReport(kSaved);
  EXPECT_EQ(changed, (std::vector<StatusPart>{StatusPart::Side, StatusPart::Mode, StatusPart::Hint}));
  EXPECT_EQ(Utf8Line(line.Part(StatusPart::Side), InterfaceLanguage::English), "Allied - 2");
  EXPECT_EQ(Utf8Line(line.Part(StatusPart::Mode), InterfaceLanguage::English), "Current mode: Move large map (200%)");
  line.ShowMode(EditMode::TargetBox, 1);
  EXPECT_EQ(Utf8Line(line.Part(StatusPart::Mode), InterfaceLanguage::Chinese), "Current mode: Move target box");
  line.ShowMode(EditMode::SmallMap, 1);
  EXPECT_EQ(Utf8Line(line.Part(StatusPart::Mode), InterfaceLanguage::English), "Current mode: Move small map");
}

}  // namespace
