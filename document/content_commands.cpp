#include "content_commands.h"

#include <utility>

namespace {
bool ValidSlot(int slot) { return slot >= 0 && slot < CameoSlots; }

// A deep copy that reports whether the pixels could be allocated.
bool CopyImage(const MemoryImage& from, MemoryImage& to) {
  to = from;
  return to.valid == from.valid;
}
}  // namespace

bool SetCameo(LoadScreenDocument& document, int slot, MemoryImage&& cameo, const std::string& fileName) {
  if (!ValidSlot(slot) || !cameo.valid || cameo.width != CameoWidth || cameo.height != CameoHeight) return false;
  document.WillChange();
  document.cameos[slot] = std::move(cameo);
  document.cameoFiles[slot] = fileName;
  document.shell().RepaintView();
  return true;
}

bool ClearCameo(LoadScreenDocument& document, int slot) {
  if (!ValidSlot(slot)) return false;
  if (document.cameos[slot].IsValid() || !document.cameoFiles[slot].empty()) document.WillChange();
  document.cameos[slot].Free();
  document.cameoFiles[slot].clear();
  document.shell().RepaintView();
  return true;
}

bool SetScreenshot(LoadScreenDocument& document, MemoryImage&& screenshot, const std::string& name) {
  if (!screenshot.valid || screenshot.width != ScreenshotWidth || screenshot.height != ScreenshotHeight) return false;
  // Check the copy first: a failure must leave the document as it was.
  MemoryImage uncoloured;
  if (!CopyImage(screenshot, uncoloured)) return false;
  document.WillChange();
  document.screenshot = std::move(screenshot);
  document.screenshotBackup = std::move(uncoloured);
  document.screenshotColour = ColourizeSettings{};
  document.screenshotName = name;
  document.shell().RepaintView();
  return true;
}

bool BackupScreenshot(LoadScreenDocument& document) {
  return CopyImage(document.screenshot, document.screenshotBackup);
}

bool RestoreScreenshot(LoadScreenDocument& document) {
  document.WillChange();
  const bool ok = CopyImage(document.screenshotBackup, document.screenshot);
  document.shell().RepaintView();
  return ok;
}
