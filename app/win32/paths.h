// Plain file-system questions in the narrow calls' encoding.
#pragma once

#include <string>

// The full name of `path` (relative to the current folder, or full), so that later uses
// mean the same file whatever the current folder becomes; `path` as it is when the system
// cannot say.
std::string FullPathOf(const std::string& path);
// The folder of the running program, ending with a backslash. False when its path does
// not fit a path buffer.
bool ProgramFolder(std::string& folder);
// A file or folder of that name exists.
bool PathExists(const std::string& path);
