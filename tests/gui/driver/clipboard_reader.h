// Reading the picture on the clipboard, as another program would paste it.
#pragma once

#include <string>

#include "screen_capture.h"

// Empties the clipboard (so a later read cannot see an old picture). False when it cannot
// be opened.
bool EmptyClipboardNow();
// True when CF_BITMAP is offered.
bool ClipboardHasBitmap();
// The CF_DIB rendering of the clipboard's bitmap (32 or 24 bits per pixel, either row
// order), converted to top-down 0x00RRGGBB. False with `error` set otherwise.
bool ReadClipboardPicture(ScreenPicture& out, std::string& error);
