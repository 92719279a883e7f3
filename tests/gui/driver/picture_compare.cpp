#include "picture_compare.h"

#include <cstdio>

PictureDifference ComparePictures(const ScreenPicture& got, const Image& want, int wantX, int wantY) {
  PictureDifference difference;
  if (!want.IsValid() || wantX < 0 || wantY < 0 || wantX + got.width > want.width || wantY + got.height > want.height) {
    difference.sizeMismatch = true;
    difference.count = 1;
    return difference;
  }
  for (int y = 0; y < got.height; ++y) {
    const Pixel* expected = want.GetRow(wantY + y) + wantX;
    for (int x = 0; x < got.width; ++x) {
      const Pixel seen = got.At(x, y), wanted = expected[x] & 0x00FFFFFF;
      if (seen == wanted) continue;
      if (difference.count++ == 0) {
        difference.x = x;
        difference.y = y;
        difference.got = seen;
        difference.want = wanted;
      }
    }
  }
  return difference;
}

std::string DescribeDifference(const PictureDifference& difference) {
  if (difference.count == 0) return {};
  if (difference.sizeMismatch) return "the compared area does not fit the expected picture";
  char text[160];
  std::snprintf(text, sizeof text, "%lld pixels differ, first at (%d, %d): 0x%06X instead of 0x%06X", difference.count,
                difference.x, difference.y, static_cast<unsigned>(difference.got),
                static_cast<unsigned>(difference.want));
  return text;
}
