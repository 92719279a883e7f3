#include "folder_sync_batch.h"

#include <mutex>
#include <new>
#include <set>

#include "replacement_system.h"

namespace {
std::mutex lock;
int openBatches = 0;
std::set<std::string> putOff;
}  // namespace

FolderSyncBatch::FolderSyncBatch() {
  std::lock_guard<std::mutex> hold(lock);
  ++openBatches;
}

FolderSyncBatch::~FolderSyncBatch() {
  std::set<std::string> folders;
  {
    std::lock_guard<std::mutex> hold(lock);
    if (--openBatches > 0) return;
    folders.swap(putOff);
  }
  for (const std::string& folder : folders) replacement_system::SyncFolder(folder);
}

void SyncFolderNowOrAfterBatch(const std::string& folder) {
  {
    std::lock_guard<std::mutex> hold(lock);
    if (openBatches > 0) {
      try {
        putOff.insert(folder);
        return;
      } catch (const std::bad_alloc&) {
        // No room to remember it: flushed now instead.
      }
    }
  }
  replacement_system::SyncFolder(folder);
}
