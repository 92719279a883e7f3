// What goes into a MIX archive when files are put into it, in memory: the entries of the
// archive added to (if any) that the new files leave alone, the new files, and a name list
// (mix_database.h) that keeps every name the old list knew for a member still there and
// adds the new ones.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mix_archive.h"

// One file to pack: the name it gets in the archive, where it came from (for messages; a
// path, or a description), and its bytes.
struct MixInput {
  std::string name;
  std::string source;
  std::vector<std::uint8_t> bytes;
};

// What a pack did, for the lines the user reads. The name list is not counted.
struct MixPackSummary {
  bool existed = false;      // added to an existing archive
  std::size_t added = 0;     // new ids
  std::size_t replaced = 0;  // ids the existing archive had
  std::size_t kept = 0;      // entries of the existing archive left as they were
};

// A name planned for an archive and where it comes from, for messages.
struct MixMemberName {
  std::string name;
  std::string source;
};

// Empty when every name can be stored in one archive; otherwise one line naming the source:
// a name that is empty, not plain ASCII or holds a folder separator, two names of one id
// ("a.shp and b/A.SHP have the same MIX id 0x..."), the name list's own name.
std::string MixNamesProblem(const std::vector<MixMemberName>& names);

// Empty when `inputs` can be packed: their names (above) and no empty file, which other
// tools take for a missing one. Otherwise one line naming the input.
std::string MixInputsProblem(const std::vector<MixInput>& inputs);

// The archive holding `inputs` and, when `existing` is not null, the entries of that
// archive (whose bytes are `existingData`, read by ReadMixIndex) that no input replaces,
// with a fresh name list. False with a sentence when the inputs cannot be packed, the old
// name list cannot be read, or the result would pass a MIX file's limits.
bool ComposeMix(const std::uint8_t* existingData, const MixIndex* existing, const std::vector<MixInput>& inputs,
                std::vector<std::uint8_t>& archive, MixPackSummary& summary, std::string& error);
