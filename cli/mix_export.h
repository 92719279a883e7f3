// The MIX side of `vantorel export`: the SHP and PAL of each scene go into one archive
// (made, or added to when it exists) after the export (mission_export.h adds the 640 x 400
// picture and the mission file's keys). When no loose files are wanted, the export writes into a scratch folder of the
// run's own (mix_scratch_folder.h), removed afterwards; messages name the archive and the
// member, never that folder.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "mix_packing.h"
#include "mix_scratch_folder.h"

// A name the run will put into the archive, where it comes from (a path, for messages), and
// how the user chooses another ("rename the scene file ..."), for the 8.3 warning.
struct PlannedMixMember {
  std::string name;
  std::string source;
  std::string howToRename;
};

class MixExport {
 public:
  // Checks, before anything is written, that the archive at `mixPath` can be added to when
  // it exists (a MIX that is neither encrypted nor damaged), that `members` can go into one
  // archive (plain ASCII names, no two of one id), and warns about each name outside the
  // games' 8.3 form. With `scratch` it also makes the scratch folder. False with a line.
  bool Begin(const std::string& mixPath, const std::vector<PlannedMixMember>& members, bool scratch,
             std::string& error);
  // The folder for files that only the archive gets; empty without one.
  const std::string& ScratchFolder() const { return scratch_.path(); }
  // `text` with each path in the scratch folder told as the member it becomes ("ONE.SHP
  // for m.mix"), so a message names the user's files.
  std::string InUserTerms(std::string text) const;
  // Reads a written file to be packed as `name` (may run on several threads at once).
  bool Add(const std::string& name, const std::string& path, std::string& error);
  // Packs what was added and prints what was done. False with a line on failure.
  bool Finish(std::string& error);

 private:
  std::string mixPath_;
  MixScratchFolder scratch_;
  std::mutex mutex_;
  std::vector<MixInput> inputs_;
};

// Warns on standard error, once per name and run, when `name` does not fit the games' 8.3
// form, saying how to choose another (`howToRename`).
void WarnUnlessEightDotThree(const std::string& name, const std::string& howToRename);
