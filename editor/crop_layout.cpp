#include "crop_layout.h"

#include <algorithm>

namespace {

// A 96-DPI dialog's pixels.
constexpr int kMargin = 12;
constexpr int kFieldTop = 30;
constexpr int kPreviewTop = 64;
constexpr int kPreviewBelow = 108;  // client height - preview bottom
constexpr int kGroupAbove = 102;    // client height - group top
constexpr int kGroupHeight = 58;
constexpr int kRowAbove = 80;      // client height - the fields' row
constexpr int kButtonsAbove = 33;  // client height - the last row
constexpr int kFieldHeight = 23;
constexpr int kGroupPadding = 10;
constexpr int kLabelGap = 4;
constexpr int kFieldGap = 14;
constexpr int kPositionWidth = 48;
constexpr int kSizeWidth = 44;
constexpr int kScaleWidth = 40;
constexpr int kUpDownWidth = 17;
constexpr int kButtonWidth = 75;
constexpr int kButtonGap = 8;
constexpr int kBeforeButtons = 20;
constexpr int kMinimumPreviewHeight = 80;

class Scaled {
 public:
  explicit Scaled(int dpi) : dpi_(dpi > 0 ? dpi : 96) {}
  int operator()(int pixels) const { return static_cast<int>((static_cast<long long>(pixels) * dpi_ + 48) / 96); }

 private:
  int dpi_;
};

// A row of label, field (and up-down) pairs from `x` on at `y`; returns where it ends.
struct RowPlacer {
  CropLayout& layout;
  const Scaled& s;
  int y, textHeight, x;
  void Label(CropControl control, int textWidth) {
    const int height = std::min(textHeight, s(kFieldHeight));
    layout[control] = {x, y + (s(kFieldHeight) - height) / 2, textWidth, height};
    x += textWidth + s(kLabelGap);
  }
  void Field(CropControl control, int width) {
    layout[control] = {x, y, s(width), s(kFieldHeight)};
    x += s(width);
  }
  void Gap(int pixels) { x += s(pixels); }
};

// The two rows below the preview, laid out from the left; their ends tell the width needed.
void PlaceRows(CropLayout& layout, int clientHeight, const Scaled& s, const CropLabelSizes& labels, int& rowEnd,
               int& scaleEnd) {
  RowPlacer row{layout, s, clientHeight - s(kRowAbove), labels.textHeight, s(kMargin + kGroupPadding)};
  row.Label(CropControl::XLabel, labels.x);
  row.Field(CropControl::X, kPositionWidth);
  row.Field(CropControl::XUpDown, kUpDownWidth);
  row.Gap(kFieldGap);
  row.Label(CropControl::YLabel, labels.y);
  row.Field(CropControl::Y, kPositionWidth);
  row.Field(CropControl::YUpDown, kUpDownWidth);
  row.Gap(kFieldGap);
  row.Label(CropControl::WidthLabel, labels.width);
  row.Field(CropControl::Width, kSizeWidth);
  row.Gap(kFieldGap);
  row.Label(CropControl::HeightLabel, labels.height);
  row.Field(CropControl::Height, kSizeWidth);
  rowEnd = row.x + s(kGroupPadding + kMargin);

  RowPlacer last{layout, s, clientHeight - s(kButtonsAbove), labels.textHeight, s(kMargin)};
  last.Label(CropControl::ScaleLabel, labels.scale);
  last.Field(CropControl::Scale, kScaleWidth);
  last.Field(CropControl::ScaleUpDown, kUpDownWidth);
  scaleEnd = last.x;
}

int ButtonsWidth(const Scaled& s) { return s(kBeforeButtons + 2 * kButtonWidth + kButtonGap + kMargin); }

}  // namespace

CropLayout LayOutCropDialog(int clientWidth, int clientHeight, int dpi, const CropLabelSizes& labels) {
  const Scaled s(dpi);
  const int w = clientWidth, h = clientHeight;
  const int inner = std::max(w - 2 * s(kMargin), 0);
  CropLayout layout;
  const int labelHeight = std::min(labels.textHeight, s(kFieldTop - 2));
  layout[CropControl::FileLabel] = {s(kMargin), s(kFieldTop) - s(2) - labelHeight, std::min(labels.file, inner),
                                    labelHeight};
  layout[CropControl::FileName] = {s(kMargin), s(kFieldTop), inner, s(kFieldHeight)};
  layout[CropControl::Preview] = {s(kMargin), s(kPreviewTop), inner,
                                  std::max(h - s(kPreviewTop) - s(kPreviewBelow), 0)};
  layout[CropControl::Group] = {s(kMargin), h - s(kGroupAbove), inner, s(kGroupHeight)};
  int rowEnd = 0, scaleEnd = 0;
  PlaceRows(layout, h, s, labels, rowEnd, scaleEnd);
  const int buttonsTop = h - s(kButtonsAbove);
  layout[CropControl::Cancel] = {w - s(kMargin) - s(kButtonWidth), buttonsTop, s(kButtonWidth), s(kFieldHeight)};
  layout[CropControl::Ok] = {layout[CropControl::Cancel].x - s(kButtonGap) - s(kButtonWidth), buttonsTop,
                             s(kButtonWidth), s(kFieldHeight)};
  return layout;
}

ClientSize MinimumCropClient(int dpi, const CropLabelSizes& labels) {
  const Scaled s(dpi);
  CropLayout scratch;
  int rowEnd = 0, scaleEnd = 0;
  PlaceRows(scratch, 0, s, labels, rowEnd, scaleEnd);
  const int fileLabelEnd = s(kMargin) * 2 + labels.file;
  return {std::max({rowEnd, scaleEnd + ButtonsWidth(s), fileLabelEnd}),
          s(kPreviewTop) + s(kMinimumPreviewHeight) + s(kPreviewBelow)};
}
