// Side and cameo count changes made by the user after start-up. The document keeps its
// previous side and count when a template is missing; the user is told and goes on working.
#pragma once

inline constexpr char kMissingSideTemplateMessage[] = "Can't find file!";

// Both return false after showing "Can't find file!" (caption "Error", warning icon, owned
// by the main window) when a template of the new side or count is missing.
bool SwitchSide(int side);
bool SwitchCameoCount(int count);
