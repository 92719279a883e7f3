// The crop dialog's layout: the preview where the 96-DPI dialog always had it, and at every
// DPI and in either language's label widths no two controls overlap, every label is as wide
// as its text, the fields' row stays in its group and OK and Cancel stand apart.
#include "crop_layout.h"

#include <gtest/gtest.h>

#include <string>

namespace {

bool Overlap(const LayoutRect& a, const LayoutRect& b) {
  return a.x < b.right() && b.x < a.right() && a.y < b.bottom() && b.y < a.bottom();
}

bool Inside(const LayoutRect& inner, const LayoutRect& outer) {
  return inner.x >= outer.x && inner.y >= outer.y && inner.right() <= outer.right() && inner.bottom() <= outer.bottom();
}

// Label texts as Tahoma 8 (English) and a CJK font (Chinese) measure them at 96 DPI.
CropLabelSizes Labels(bool english, int dpi) {
  const auto s = [dpi](int pixels) { return pixels * dpi / 96; };
  CropLabelSizes labels;
  labels.textHeight = s(english ? 13 : 15);
  labels.file = s(english ? 48 : 40);
  labels.x = s(10);
  labels.y = s(10);
  labels.width = s(english ? 33 : 20);
  labels.height = s(english ? 37 : 20);
  labels.scale = s(english ? 42 : 38);
  return labels;
}

constexpr CropControl kRow[] = {
    CropControl::XLabel,  CropControl::X,          CropControl::XUpDown, CropControl::YLabel,      CropControl::Y,
    CropControl::YUpDown, CropControl::WidthLabel, CropControl::Width,   CropControl::HeightLabel, CropControl::Height};

TEST(CropLayout, PreviewWhereThe96DpiDialogHadIt) {
  const CropLayout layout = LayOutCropDialog(504, 472, 96, Labels(true, 96));
  const LayoutRect preview = layout[CropControl::Preview];
  EXPECT_EQ(preview.x, 12);
  EXPECT_EQ(preview.y, 64);
  EXPECT_EQ(preview.width, 504 - 24);
  EXPECT_EQ(preview.height, 472 - 172);
}

TEST(CropLayout, NothingOverlapsAtAnyDpiInEitherLanguage) {
  for (int dpi : {96, 120, 144, 192, 288}) {
    for (bool english : {true, false}) {
      const CropLabelSizes labels = Labels(english, dpi);
      const ClientSize minimum = MinimumCropClient(dpi, labels);
      for (const ClientSize client : {minimum, ClientSize{minimum.width * 2, minimum.height + 300}}) {
        const std::string where = "dpi " + std::to_string(dpi) + (english ? " english " : " chinese ") +
                                  std::to_string(client.width) + " x " + std::to_string(client.height);
        const CropLayout layout = LayOutCropDialog(client.width, client.height, dpi, labels);
        const LayoutRect area{0, 0, client.width, client.height};
        for (int a = 0; a < static_cast<int>(CropControl::Count); ++a) {
          const auto first = static_cast<CropControl>(a);
          EXPECT_TRUE(Inside(layout[first], area)) << where << " control " << a;
          if (first == CropControl::Group) continue;  // it holds the row
          for (int b = a + 1; b < static_cast<int>(CropControl::Count); ++b) {
            const auto second = static_cast<CropControl>(b);
            if (second == CropControl::Group) continue;
            EXPECT_FALSE(Overlap(layout[first], layout[second])) << where << " controls " << a << " and " << b;
          }
        }
        for (CropControl control : kRow) EXPECT_TRUE(Inside(layout[control], layout[CropControl::Group])) << where;
        EXPECT_FALSE(Overlap(layout[CropControl::Group], layout[CropControl::Preview])) << where;
        EXPECT_FALSE(Overlap(layout[CropControl::Group], layout[CropControl::Ok])) << where;
        EXPECT_GE(layout[CropControl::Preview].height, 80 * dpi / 96) << where;
        // Labels as wide as their text, and OK and Cancel apart.
        EXPECT_EQ(layout[CropControl::ScaleLabel].width, labels.scale) << where;
        EXPECT_EQ(layout[CropControl::HeightLabel].width, labels.height) << where;
        EXPECT_GE(layout[CropControl::Cancel].x - layout[CropControl::Ok].right(), 8 * dpi / 96) << where;
        EXPECT_EQ(layout[CropControl::Cancel].right(), client.width - 12 * dpi / 96) << where;
      }
    }
  }
}

TEST(CropLayout, ControlsGrowWithTheDpi) {
  const CropLayout small = LayOutCropDialog(600, 500, 96, Labels(true, 96));
  const CropLayout large = LayOutCropDialog(1200, 1000, 192, Labels(true, 192));
  for (CropControl control : {CropControl::X, CropControl::Scale, CropControl::Ok}) {
    EXPECT_EQ(large[control].width, 2 * small[control].width);
    EXPECT_EQ(large[control].height, 2 * small[control].height);
    EXPECT_EQ(large[control].y, 2 * small[control].y);
  }
}

}  // namespace
