// Replacing several files by contents held in memory, as one: a scene file and its
// screenshot must never be left half old, half new by a failed save.
#pragma once

#include <string>
#include <vector>

#include "file_replacement.h"

struct FileContent {
  std::string path;
  std::string bytes;
};

// Checks every target (FileReplacement::TargetProblem) and writes every content completely
// under its temporary name before the first target is touched; then CommitReplacements puts
// them in place in the order given, each target present at every instant. False with one
// line in `error` that names the file and says why:
// - "cannot write PATH: REASON" (a target that is a folder, a missing folder, a full disk):
//   no target was touched;
// - "cannot replace PATH: REASON": the targets already replaced have their old content back.
// No temporary or backup file stays either way. `afterEachStep` runs after each change on the
// disk during the commit (tests look at, or interrupt, every intermediate state with it).
bool ReplaceFilesTogether(const std::vector<FileContent>& files, std::string& error,
                          const CommitStep& afterEachStep = {});
