// Setting the load screen's keys in a mission file on the disk (mission_file_edit.h), written
// through the safe replacement: the file is at every instant either as it was or complete
// with the new keys. A missing file is made; one that is not INI text is left as it is.
#pragma once

#include <cstdint>
#include <string>

#include "mission_keys.h"

// Mission files of the games are some hundred kilobytes; a larger file is not one.
inline constexpr std::uint64_t kMissionFileMaxBytes = std::uint64_t{16} << 20;

struct MissionFileOutcome {
  bool created = false;       // there was no file
  bool sectionAdded = false;  // the file had no such section
  int keysChanged = 0;
  int keysAdded = 0;
};

// Reads `path` and makes the edit without writing anything, so that a run can refuse a file
// before it writes its other outputs. False with one line naming the file: a folder, a
// special file, a file too large or not INI text, an unreadable file, bad keys.
bool CheckMissionFile(const std::string& path, const MissionKeys& keys, std::string& error);

// Reads `path` again (or takes it as empty when it does not exist), sets the keys and puts
// the new text in place; nothing is written when every key holds its value already. False
// with one line naming the file, which is then unchanged.
bool SetKeysInMissionFile(const std::string& path, const MissionKeys& keys, MissionFileOutcome& outcome,
                          std::string& error);

// What was done, for a summary line: "[ALL01UMD.MAP] added at the end", "2 keys changed,
// 1 key added in [ALL01UMD.MAP]", "made, with [Defaults]", "... already holds these keys".
std::string DescribeMissionFileOutcome(const MissionFileOutcome& outcome, const std::string& section);
