#include "ui_texts.h"

#include "ui_language.h"

namespace {

struct Translation {
  const char* chinese;  // the Chinese interface's text
  const char* english;
};

constexpr Translation kTexts[] = {
    {"Press CTRL to move map faster(5x) or press CTRL+SHIFT to move map faster (10x)",
     "Arrow keys move by 1 pixel: Shift 2, Ctrl 5, Ctrl+Shift 10"},
    {"Please select screenshot in the load screen settings dialog",
     "There is no screenshot yet. Choose one in Load screen settings first."},
    {"Error: Can't find file!", "The cameo picture cannot be found."},
    {"Error: This file isn't valid icon file\nImage size must be 76x60",
     "This file is not a valid cameo picture.\nA cameo must be 76 x 60 pixels."},
    {"Error: Size of image is less than 234x232\nPlease select another image.",
     "The picture is smaller than 234 x 232 pixels.\nPlease choose another picture."},
    {"Size of image isn't 234x232.Do you want to crop this image?",
     "The picture is not 234 x 232 pixels. Do you want to crop it?"},
    {"Error: Can't save the image file!", "The image could not be saved."},
    {"Error: Can't remember the interface language!", "The interface language could not be remembered."},
};
static_assert(sizeof kTexts / sizeof kTexts[0] == static_cast<int>(UiText::Count));

constexpr const wchar_t* kQuantizerNames[2][kQuantizerNameCount] = {
    {L"八叉树 (octree, the classic palette)", L"最佳 (best: Wu + k-means, 6-bit)"},
    {L"Octree (the classic palette)", L"Best (Wu + k-means, 6-bit)"},
};

}  // namespace

const char* Text(UiText text) {
  const Translation& t = kTexts[static_cast<int>(text)];
  return UiIsEnglish() ? t.english : t.chinese;
}

const wchar_t* QuantizerName(int index) {
  if (index < 0 || index >= kQuantizerNameCount) return L"";
  return kQuantizerNames[UiIsEnglish() ? 1 : 0][index];
}
