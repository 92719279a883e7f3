// Replacing a file only once its new content is complete: write to TempPathBeside(target),
// then ReplaceFileWith(temp, target). The POSIX and Win32 versions live in
// replace_file_posix.cpp and replace_file_win32.cpp.
#pragma once

#include <string>

// A path in the target's folder that no other file uses, ending with `extension`
// (for example ".png", so the extension still chooses the format).
std::string TempPathBeside(const std::string& target, const std::string& extension);
// Renames `temp` over `target` (replacing it). False when that failed; `temp` then remains.
bool ReplaceFileWith(const std::string& temp, const std::string& target);
// Removes a file, ignoring failure.
void RemoveFileQuietly(const std::string& path);
// True when something (a file or a folder) exists at `path`.
bool PathExists(const std::string& path);
// True when `path` is a folder.
bool PathIsFolder(const std::string& path);
// The system's words for why the last ReplaceFileWith failed ("Permission denied", "Access
// denied."), without a trailing full stop or line end.
std::string LastReplaceErrorText();
// The extension of the file name in `path`, with its dot ("" when there is none).
std::string FileExtension(const std::string& path);
