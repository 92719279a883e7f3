// Taking a picture as the battlefield screenshot, the same way whether it was chosen in the
// load screen settings dialog, pasted or dropped on the main window.
#pragma once

#include <windows.h>

#include <string>

#include "editing_session.h"
#include "memory_image.h"
#include "status_line.h"

// A picture smaller than 234 x 232 in either direction is refused with a message; one of
// exactly that size is taken as it is; a larger one only after the crop question and the
// crop dialog (the dialog owned by `owner`, the messages by `prompts`' window). True when
// the screenshot became the picture (or its part), with `path` remembered as its file; a
// refused picture, a declined question or a cancelled crop change nothing, and the last
// two say so on the status line.
bool TakeScreenshot(EditingSession& session, Prompts& prompts, StatusLine& status, HWND owner, MemoryImage&& picture,
                    const std::string& path);

// The message for a picture file that cannot be loaded: the file and the loader's reason.
TextLine PictureUnreadableMessage(const std::string& path, const std::string& reason);
