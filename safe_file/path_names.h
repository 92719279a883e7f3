// The parts of a path as the programs name them: where the file's name starts, the name and
// the folder. Both separators count, '/' and '\': the Windows build takes either, and the
// editor's paths (scenes, recent files, exports) are Windows paths also where its core is
// tested natively. (The safe replacement splits its targets as the system does.)
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The index of the name's first character: after the last separator, 0 when there is none.
std::size_t FileNameStart(std::string_view path);
// "C:\scenes\mission1.ini" gives "mission1.ini"; a path without a separator is all name.
std::string FileNameOfPath(std::string_view path);
// "C:\scenes\mission1.ini" gives "C:\scenes\", with its separator; empty without one.
std::string FolderOfPath(std::string_view path);
