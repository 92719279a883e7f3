// A folder of one run's own under the system's temporary folder, for files that go only
// into a MIX archive: "vantorel-mix-<process id>-<number>", removed with its content when
// the object goes. A run that is killed cannot remove it; the next one that makes such a
// folder removes those whose process is gone, and never one of a run still going.
#pragma once

#include <string>

class MixScratchFolder {
 public:
  MixScratchFolder() = default;
  ~MixScratchFolder();
  MixScratchFolder(const MixScratchFolder&) = delete;
  MixScratchFolder& operator=(const MixScratchFolder&) = delete;

  // Removes the leftovers above, then makes the folder. False with a sentence when it
  // cannot be made.
  bool Make(std::string& error);
  // The folder; empty until made.
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// True for a folder name that MixScratchFolder gives, with the process id it names.
bool IsMixScratchFolderName(const std::string& name, unsigned long& owner);
