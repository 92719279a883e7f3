// Writing many files with one flush of each folder at the end.
//
// A replaced file's content is flushed before it takes the old name, so a crash never
// leaves a half-written file; flushing its folder afterwards only makes the new name itself
// last. While a FolderSyncBatch exists (in any thread), those folder flushes are put off
// and done once per folder when the last batch ends: a command writing forty files then
// waits for the disk forty times rather than eighty.
#pragma once

#include <string>

class FolderSyncBatch {
 public:
  FolderSyncBatch();
  // Flushes every folder put off, once each, when no other batch is left.
  ~FolderSyncBatch();
  FolderSyncBatch(const FolderSyncBatch&) = delete;
  FolderSyncBatch& operator=(const FolderSyncBatch&) = delete;
};

// Flushes `folder` now, or later when a batch exists.
void SyncFolderNowOrAfterBatch(const std::string& folder);
