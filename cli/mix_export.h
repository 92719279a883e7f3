// The MIX side of `vantorel export`: the SHP and PAL of each scene go into one archive
// (made, or added to when it exists) after the export, and the mission file's lines are
// printed. When no loose files are wanted, the export writes into a scratch folder that
// is removed afterwards.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "mix_packing.h"

class MixExport {
 public:
  MixExport() = default;
  ~MixExport();
  MixExport(const MixExport&) = delete;
  MixExport& operator=(const MixExport&) = delete;

  // Checks that an existing archive at `mixPath` can be added to (not encrypted, not
  // damaged), before anything is exported. With `scratch` it also makes the scratch folder.
  bool Begin(const std::string& mixPath, bool scratch, std::string& error);
  // The folder for files that only the archive gets; empty without one.
  const std::string& ScratchFolder() const { return scratch_; }
  // Reads a written file to be packed as `name` (may run on several threads at once).
  bool Add(const std::string& name, const std::string& path, std::string& error);
  // Packs what was added and prints what was done. False with a line on failure.
  bool Finish(std::string& error);

 private:
  std::string mixPath_;
  std::string scratch_;
  std::mutex mutex_;
  std::vector<MixInput> inputs_;
};

// The lines for the mission file, on standard output; a warning on standard error for each
// name longer than the games' 8.3 form.
void PrintMissionLines(const std::string& mission, const std::string& shpName, const std::string& palName);

// The base name of a path ("C:\\a\\b.pal" gives "b.pal").
std::string FileNameOf(const std::string& path);
