// Replacing several files as one: the scene file and its screenshot must never be left
// half old, half new by a failed save.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct FileContent {
  std::string path;
  std::string bytes;
};

// Writes every file completely beside its target under a temporary name first; only then
// puts them in place, in order, each previous file renamed aside until all are in. When any
// step fails, the files put in so far are taken out again and the previous ones return, no
// temporary file stays behind, and `error` says in one line which file failed and why
// ("cannot write PATH: REASON", "cannot replace PATH: REASON"); a target that is a folder
// is refused before anything is written. A crash part-way can leave a previous file under
// its aside name (PATH.~xxxx.bak) beside the new one.
bool ReplaceFilesTogether(const std::vector<FileContent>& files, std::string& error);

// The same with the renaming step given (ReplaceFileWith above), so tests can make it fail
// where the file system will not.
using RenameStep = std::function<bool(const std::string& from, const std::string& to)>;
bool ReplaceFilesTogether(const std::vector<FileContent>& files, std::string& error, const RenameStep& rename);
