#include "screenshot_choice.h"

#include <optional>
#include <utility>

#include "content_commands.h"
#include "crop_dialog.h"
#include "scaled_crop.h"

TextLine PictureUnreadableMessage(const std::string& path, const std::string& reason) {
  return {{Text::PictureUnreadable}, {Text::FileLine, {{"file", path}}}, {Text::ReasonAfterFile, {{"reason", reason}}}};
}

bool TakeScreenshot(EditingSession& session, Prompts& prompts, StatusLine& status, HWND owner, MemoryImage&& picture,
                    const std::string& path) {
  if (picture.width < ScreenshotWidth || picture.height < ScreenshotHeight) {
    prompts.Tell(Report({{Text::ScreenshotTooSmall}}));
    return false;
  }
  MemoryImage screenshot;
  if (picture.width == ScreenshotWidth && picture.height == ScreenshotHeight) {
    screenshot = std::move(picture);
  } else {
    // The question keeps its long-standing words; what No leaves is said after it.
    const auto keep = [&status] {
      status.ShowReport({{Text::ScreenshotNotChanged}});
      return false;
    };
    if (prompts.Ask(Report({{Text::CropQuestion}}, PromptIcon::Question), false) != Answer::Yes) return keep();
    // Owned by `owner`, so it cannot be used while the crop dialog is open.
    const std::optional<CropPlacement> crop = ShowCropDialog(owner, picture, path, ScreenshotWidth, ScreenshotHeight);
    if (!crop) return keep();
    if (!CropAndScale(screenshot, picture, crop->x, crop->y, crop->scale, ScreenshotWidth, ScreenshotHeight)) {
      prompts.Tell(Report({{Text::OutOfMemory}}));
      return false;
    }
  }
  return SetScreenshot(session.document(), std::move(screenshot), path);
}
