// The per-user settings file: read, written and read again to the same text; every typed
// value asked; the window placement in it put back into the text and read again, and fitted
// to a screen.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "user_settings.h"
#include "window_placement.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const UserSettings settings = UserSettings::Parse(text);
  settings.Language();
  settings.RecentFiles();
  // What is written reads back as itself (a text past the size limit is not read at all).
  const std::string once = settings.Format();
  if (once.size() <= kUserSettingsMaxBytes && UserSettings::Parse(once).Format() != once) std::abort();

  WindowPlacement placement;
  if (!ParseWindowPlacement(text, placement)) return 0;
  WindowPlacement again;
  const std::string replaced = ReplaceIniSection(text, "Window", FormatWindowPlacement(placement));
  if (!ParseWindowPlacement(replaced, again) || again.left != placement.left || again.top != placement.top ||
      again.width != placement.width || again.height != placement.height || again.maximized != placement.maximized)
    std::abort();
  const ScreenRect area{0, 0, 1920, 1040};
  const ScreenRect fitted = FitWindowOnScreen(
      {placement.left, placement.top, placement.left + placement.width, placement.top + placement.height}, area, 640,
      480);
  if (fitted.left < area.left || fitted.top < area.top || fitted.right > area.right || fitted.bottom > area.bottom ||
      fitted.right - fitted.left < 640 || fitted.bottom - fitted.top < 480)
    std::abort();
  return 0;
}
