// Putting files into a MIX archive on disk, new or added to, through the safe replacement:
// the archive at the target holds its old or its complete new content at every instant,
// and an archive that cannot be read (encrypted, damaged) is refused and left as it is.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mix_archive.h"

// One file to pack: the name it gets in the archive, where it came from (for messages;
// a path, or a description), and its bytes.
struct MixInput {
  std::string name;
  std::string source;
  std::vector<std::uint8_t> bytes;
};

// What a pack did, for the lines the user reads.
struct MixPackSummary {
  std::size_t added = 0;     // new ids
  std::size_t replaced = 0;  // ids the existing archive had
  std::size_t kept = 0;      // entries of the existing archive left as they were
};

// Larger archives are not read: the games' own are far smaller, and this keeps a wrong
// path from filling the memory.
inline constexpr std::uint64_t kMaxMixFileBytes = std::uint64_t{1} << 30;

// Reads an input file: its base name becomes its name in the archive. False with a line
// that names the file when it cannot be read or its name cannot be stored.
bool ReadMixInput(const std::string& path, MixInput& input, std::string& error);

// Reads the archive at `path` whole and its index. False with a line naming the file when
// it cannot be read, is encrypted or is damaged; `encrypted` tells the second case apart.
bool ReadMixFile(const std::string& path, std::vector<std::uint8_t>& bytes, MixIndex& index, std::string& error,
                 bool* encrypted = nullptr);

// Writes `target` holding the entries of the archive at `addTo` (when not empty; it may be
// the target itself) with `inputs` added, an input replacing the entry of the same id.
// Refuses, writing nothing, inputs whose names cannot be stored or that share an id
// ("a.shp and b/a.shp have the same MIX id 0x..."), and an `addTo` that cannot be read.
bool PackMix(const std::string& target, const std::string& addTo, const std::vector<MixInput>& inputs,
             std::string& error, MixPackSummary* summary = nullptr);

// "0x1A2B3C4D", as ids are shown.
std::string MixIdText(std::uint32_t id);
