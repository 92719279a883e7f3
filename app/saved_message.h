// "Saved ..." in the status bar's hint part after a file was written, until the next key
// or mouse press puts the key hint back.
#pragma once

#include <string>
#include <vector>

// `files` are the names written (ANSI code page), named in the interface language:
// "Saved a.shp and a.pal (256 colours)". `colours` is left out when 0; `note`, when given,
// follows after a space (a warning about what was written).
void ShowSavedMessage(const std::vector<std::string>& files, int colours = 0, const std::wstring& note = {});
// The key hint again, when a saved message is showing.
void EndSavedMessage();
// The name part of a path.
std::string FileNameOfPath(const std::string& path);
