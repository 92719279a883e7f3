// Putting files into a MIX archive on disk, new or added to, through the safe replacement:
// the archive at the target holds its old or its complete new content at every instant,
// and an archive that cannot be read (encrypted, damaged) is refused and left as it is.
// An existing target is always added to, never replaced: a run reads it, adds and writes it
// back while it holds the target's replacement lock, so runs side by side each add to what
// the one before wrote.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mix_addition.h"
#include "mix_archive.h"
#include "mix_name_id.h"

// Larger archives and inputs are not read (told from the file's size, before reading): the
// games' own archives are far smaller, and this keeps a wrong path from filling the memory.
inline constexpr std::uint64_t kMaxMixFileBytes = std::uint64_t{1} << 30;

// Reads an input file: its base name becomes its name in the archive. False with a line
// that names the file when it cannot be read or its name cannot be stored.
bool ReadMixInput(const std::string& path, MixInput& input, std::string& error);

// Reads the archive at `path` whole and its index. False with a line naming the file when
// it cannot be read, is encrypted or is damaged; `encrypted` tells the second case apart.
bool ReadMixFile(const std::string& path, std::vector<std::uint8_t>& bytes, MixIndex& index, std::string& error,
                 bool* encrypted = nullptr);

// Empty when `target` does not exist or is a MIX archive that can be added to; otherwise a
// line naming it: a file that is not a MIX (which a pack must never replace), an encrypted
// or damaged archive, a folder.
std::string MixTargetProblem(const std::string& target);

// Writes `target` holding `inputs` added to the entries of the archive at `addTo` when that
// is given, otherwise of the target itself when it exists; an input replaces the entry of
// its id, and the name list lists the names of both. Refuses, writing nothing, inputs whose
// names cannot be stored, that share an id or are empty; a target that exists and is not a
// MIX (MixTargetProblem); an `addTo` that cannot be read; an `addTo` other than an existing
// target, which would be added to as well.
bool PackMix(const std::string& target, const std::string& addTo, const std::vector<MixInput>& inputs,
             std::string& error, MixPackSummary* summary = nullptr);
