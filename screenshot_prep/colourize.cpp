#include "colourize.h"

#include <algorithm>

Pixel ColourizePixel(Pixel pixel, const ColourizeSettings& settings) {
  const unsigned red = static_cast<unsigned>(std::clamp(settings.redLevel, 0, 255));
  const unsigned green = static_cast<unsigned>(std::clamp(settings.greenLevel, 0, 255));
  const unsigned blue = static_cast<unsigned>(std::clamp(settings.blueLevel, 0, 255));
  const int intensity = std::clamp(settings.intensity, 0, 511);

  // Levels are fractions of 255, so the default 255 leaves a channel exactly as it is and
  // pressing OK at the defaults does not darken the screenshot a step each time.
  Pixel result = settings.greyMode
                     ? ToGrey(pixel)
                     : MakePixel(RedOf(pixel) * red / 255, GreenOf(pixel) * green / 255, BlueOf(pixel) * blue / 255);
  if (intensity <= 255)
    result = Darken(result, static_cast<std::uint32_t>(255 - intensity));
  else
    result = Lighten(result, static_cast<std::uint32_t>(intensity - 255));
  return result;
}

bool ColourizeImage(const MemoryImage& backup, MemoryImage& screenshot, const ColourizeSettings& settings) {
  screenshot = backup;
  if (screenshot.valid != backup.valid) return false;
  for (int y = 0; y < screenshot.height; ++y) {
    Pixel* row = screenshot.GetRow(y);
    for (int x = 0; x < screenshot.width; ++x) row[x] = ColourizePixel(row[x], settings);
  }
  return true;
}

bool ColourizeScreenshot(LoadScreenDocument& document, const ColourizeSettings& settings) {
  document.WillChange();
  const bool ok = ColourizeImage(document.screenshotBackup, document.screenshot, settings);
  document.screenshotColour = settings;
  document.shell().RepaintView();
  return ok;
}
