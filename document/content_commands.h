// Changing the content of the load screen: the cameo in each slot and the battlefield
// screenshot with its backup (the untouched copy the colourize dialog works from).
//
// Every change the editor makes to these images goes through here, so each is one step
// with a clear before and after. Each function that changes what is drawn asks the shell
// to repaint; nothing is changed when a function returns false.
#pragma once

#include "load_screen_document.h"

inline constexpr int CameoSlots = 3;
inline constexpr int CameoWidth = 76;
inline constexpr int CameoHeight = 60;
inline constexpr int ScreenshotWidth = 234;
inline constexpr int ScreenshotHeight = 232;

// Puts `cameo` into slot 0..2 (the image is moved in) with its file name in Templates. False
// for another slot or an image that is not exactly 76 x 60.
bool SetCameo(LoadScreenDocument& document, int slot, MemoryImage&& cameo, const std::string& fileName = {});
// Empties slot 0..2 and forgets its file name; false for another slot.
bool ClearCameo(LoadScreenDocument& document, int slot);

// Replaces the screenshot with `screenshot` (moved in), taken from the file `name`. False
// for an image that is not exactly 234 x 232.
bool SetScreenshot(LoadScreenDocument& document, MemoryImage&& screenshot, const std::string& name = {});
// screenshotBackup becomes a full copy of the screenshot. Draws nothing new, so no repaint.
// False when the copy cannot be allocated (the backup is then empty).
bool BackupScreenshot(LoadScreenDocument& document);
// The screenshot becomes a full copy of screenshotBackup again. False when the copy cannot
// be allocated (the screenshot is then empty).
bool RestoreScreenshot(LoadScreenDocument& document);
