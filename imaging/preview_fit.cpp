#include "preview_fit.h"

PreviewPlacement FitPreview(int imageWidth, int imageHeight, int paneWidth, int paneHeight) {
  PreviewPlacement placement;
  if (imageWidth <= 0 || imageHeight <= 0 || paneWidth <= 0 || paneHeight <= 0) return placement;
  int w = imageWidth, h = imageHeight;
  if (w > paneWidth || h > paneHeight) {
    placement.scaled = true;
    // Truncation as a C cast does it; both results are at most the pane's size.
    w = paneWidth;
    h = static_cast<int>(static_cast<double>(imageHeight) / imageWidth * paneWidth);
    if (h > paneHeight) {
      h = paneHeight;
      w = static_cast<int>(static_cast<double>(imageWidth) / imageHeight * paneHeight);
    }
  }
  placement.width = w;
  placement.height = h;
  placement.x = (paneWidth - w) / 2;
  placement.y = (paneHeight - h) / 2;
  return placement;
}
