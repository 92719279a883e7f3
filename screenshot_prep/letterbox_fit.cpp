#include "letterbox_fit.h"

#include <algorithm>
#include <cstdint>

Letterbox FitLetterbox(int imageWidth, int imageHeight, int paneWidth, int paneHeight) {
  Letterbox box;
  if (imageWidth <= 0 || imageHeight <= 0 || paneWidth <= 0 || paneHeight <= 0) return box;
  // 64-bit products: sides of up to 16384 on both would overflow 32 bits.
  const std::int64_t widthByHeight = std::int64_t{paneWidth} * imageHeight;
  const std::int64_t heightByWidth = std::int64_t{paneHeight} * imageWidth;
  if (widthByHeight <= heightByWidth) {  // the pane's width limits
    box.width = paneWidth;
    box.height = static_cast<int>(std::max<std::int64_t>(widthByHeight / imageWidth, 1));
  } else {
    box.height = paneHeight;
    box.width = static_cast<int>(std::max<std::int64_t>(heightByWidth / imageHeight, 1));
  }
  box.x = (paneWidth - box.width) / 2;
  box.y = (paneHeight - box.height) / 2;
  return box;
}
