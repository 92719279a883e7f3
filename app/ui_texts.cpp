#include "ui_texts.h"

#include <windows.h>

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

struct WideTranslation {
  const wchar_t* chinese;
  const wchar_t* english;
};

constexpr WideTranslation kWideTexts[] = {
    {L"Vantorel 上次没有正常关闭。要恢复 HH:MM 未保存的屏幕吗?",
     L"Vantorel did not close properly last time. Restore the unsaved screen from HH:MM?"},
    {L"一份未保存屏幕的恢复副本无法读取（{reason}）。\n它已改名保留为：{path}",
     L"A recovery copy of unsaved work could not be read ({reason}).\nIt was kept as {path}"},
    {L"无法写入恢复副本：", L"The recovery copy could not be written: "},
};
static_assert(sizeof kWideTexts / sizeof kWideTexts[0] == static_cast<int>(UiWideText::Count));

}  // namespace

const wchar_t* WideText(UiWideText text) {
  const WideTranslation& t = kWideTexts[static_cast<int>(text)];
  return UiIsEnglish() ? t.english : t.chinese;
}

std::wstring AnsiToWide(const std::string& text) {
  if (text.empty()) return {};
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
  if (length > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

const char* Text(UiText text) {
  const Translation& t = kTexts[static_cast<int>(text)];
  return UiIsEnglish() ? t.english : t.chinese;
}

const wchar_t* QuantizerName(int index) {
  if (index < 0 || index >= kQuantizerNameCount) return L"";
  return kQuantizerNames[UiIsEnglish() ? 1 : 0][index];
}
