// The recent scene files list and its menu captions. Paths are Windows paths in the ANSI
// code page; two paths are the same file when they differ only in the case of ASCII letters.
#pragma once

#include <string>
#include <vector>

// Puts `path` first, removing an earlier entry of the same file, and keeps at most
// kMaxRecentFiles (user_settings.h).
void AddRecentFile(std::vector<std::string>& files, const std::string& path);
// Removes every entry of the same file as `path`.
void RemoveRecentFile(std::vector<std::string>& files, const std::string& path);

// The caption of menu item `index` (0 for the newest): "&1 C:\scenes\mission1.ini", the path
// shortened to at most kRecentCaptionPathLength characters by leaving out folders after the
// root ("C:\...\scenes\mission1.ini"), or the file name alone when even that is too long.
// '&' in the path is doubled so it shows instead of marking an access key.
std::string RecentFileCaption(int index, const std::string& path);
inline constexpr std::size_t kRecentCaptionPathLength = 48;
// The path as the caption shows it, before access key escaping.
std::string ShortenedPath(const std::string& path, std::size_t maxLength);
