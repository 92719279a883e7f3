// Side and cameo count changes made by the user after start-up. The document keeps its
// previous side and count when a template is missing; the user is told and goes on working.
#pragma once

#include <windows.h>

inline constexpr char kMissingSideTemplateMessage[] = "Can't find file!";

// Both return false after showing "Can't find file!" (caption "Error", warning icon, owned
// by the main window) when a template of the new side or count is missing.
bool SwitchSide(int side);
bool SwitchCameoCount(int count);

// The message above, owned by `owner`, for callers that switch through the document
// themselves and have to put their own window right before the message shows.
void ReportMissingSideTemplate(HWND owner);
