#include "screenshot_choice.h"

#include <utility>

#include "app_state.h"
#include "content_commands.h"
#include "crop_dialog.h"
#include "ui_texts.h"

bool TakeScreenshotFrom(HWND owner, MemoryImage&& picture, const std::string& path) {
  if (picture.width < ScreenshotWidth || picture.height < ScreenshotHeight) {
    MessageBoxA(owner, Text(UiText::ScreenshotTooSmall), kProgramCaption, MB_ICONERROR);
    return false;
  }
  MemoryImage screenshot;
  if (picture.width == ScreenshotWidth && picture.height == ScreenshotHeight) {
    screenshot = std::move(picture);
  } else {
    if (MessageBoxA(owner, Text(UiText::CropQuestion), kProgramCaption, MB_YESNO | MB_ICONQUESTION) != IDYES) return false;
    // Owned by `owner`, so it cannot be used while the crop dialog is open.
    if (ShowCropDialog(owner, screenshot, picture, path.c_str(), ScreenshotWidth, ScreenshotHeight) != 1)
      return false;
  }
  return SetScreenshot(Document(), std::move(screenshot), path);
}
