// The editor's fixed texts that differ between the interface languages. The Chinese
// interface keeps its long-standing (English) messages word for word; the English one says
// the same in the words of a careful Windows program. Messages that are the same in both
// (the ones of the scene files, the core's reasons) stay where they are used.
#pragma once

#include <string>

enum class UiText {
  KeyHint,            // status bar part 2
  NoScreenshot,       // screenshot settings without a screenshot
  CameoMissing,       // load screen settings: a cameo file that cannot be loaded
  CameoWrongSize,     // ... or is not 76 x 60
  ScreenshotTooSmall, // a screenshot smaller than 234 x 232
  CropQuestion,       // a screenshot of another size
  ImageSaveFailed,    // save as image: the first line of the error
  LanguageSaveFailed, // the language choice could not be remembered
  Count
};

// The text in the interface language (ASCII in both, so the ANSI calls show it anywhere).
const char* Text(UiText text);
// The SHP dialog's palette methods, in the order of the Quantizer values.
const wchar_t* QuantizerName(int index);
inline constexpr int kQuantizerNameCount = 2;

// Texts that hold Chinese characters, for the W calls. "HH:MM", "{reason}" and "{path}" are
// filled in by the caller.
enum class UiWideText {
  RecoveryQuestion,     // start-up: restore a copy left by an editor that ended
  RecoveryDamaged,      // ... a copy that cannot be read, renamed aside
  RecoveryWriteFailed,  // status bar, followed by the reason
  Count
};
const wchar_t* WideText(UiWideText text);
// Text in the program's ANSI code page (file names, the core's reasons) as UTF-16.
std::wstring AnsiToWide(const std::string& text);
