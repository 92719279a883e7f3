#include "screenshot_choice.h"

#include <utility>

#include "app_state.h"
#include "content_commands.h"
#include "crop_dialog.h"

namespace {
constexpr char kTooSmall[] = "Error: Size of image is less than 234x232\nPlease select another image.";
constexpr char kCropQuestion[] = "Size of image isn't 234x232.Do you want to crop this image?";
}  // namespace

bool TakeScreenshotFrom(HWND owner, MemoryImage&& picture, const std::string& path) {
  if (picture.width < ScreenshotWidth || picture.height < ScreenshotHeight) {
    MessageBoxA(owner, kTooSmall, kProgramCaption, MB_ICONERROR);
    return false;
  }
  MemoryImage screenshot;
  if (picture.width == ScreenshotWidth && picture.height == ScreenshotHeight) {
    screenshot = std::move(picture);
  } else {
    if (MessageBoxA(owner, kCropQuestion, kProgramCaption, MB_YESNO | MB_ICONQUESTION) != IDYES) return false;
    // Owned by `owner`, so it cannot be used while the crop dialog is open.
    if (ShowCropDialog(owner, screenshot, picture, path.c_str(), ScreenshotWidth, ScreenshotHeight) != 1)
      return false;
  }
  return SetScreenshot(Document(), std::move(screenshot), path);
}
