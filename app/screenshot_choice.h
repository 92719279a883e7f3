// Taking a picture as the battlefield screenshot, the same way whether it was chosen in the
// load screen settings dialog or dropped on the main window.
#pragma once

#include <windows.h>

#include <string>

#include "memory_image.h"

// A picture smaller than 234 x 232 in either direction is refused with a message; one of
// exactly that size is taken as it is; a larger one only after the crop question and the
// crop dialog (both owned by `owner`). True when the document's screenshot became the
// picture (or its part), with `path` remembered as its file; a refused picture, a declined
// question or a cancelled crop change nothing.
bool TakeScreenshotFrom(HWND owner, MemoryImage&& picture, const std::string& path);
