// The MIX archive of the games, unencrypted, in memory.
//
// Layout written: a 32-bit flags word 0 (no checksum, no encryption), a 16-bit file count,
// a 32-bit body size, then one 12-byte index entry per file (id, offset into the body,
// size; all little-endian), sorted by id compared as signed 32-bit integers, then the
// bodies in index order. Read: that layout with the checksum flag too (its 20 checksum
// bytes after the body are required and not checked), and the older layout without a flags
// word (its first 16-bit word, the count, is not zero). Encrypted archives are recognised
// and refused.
//
// An archive is read only when it holds together exactly: the file is header, index, body
// (and checksum) with nothing missing and nothing after, and no two entries share an id or
// a byte of the body. Whatever an entry says, a reader then copies at most the body once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

inline constexpr std::uint32_t kMixFlagChecksum = 0x00010000;
inline constexpr std::uint32_t kMixFlagEncrypted = 0x00020000;
inline constexpr std::size_t kMixChecksumBytes = 20;
// The games read the count as a signed 16-bit number: an archive of more is refused there.
inline constexpr std::size_t kMixMaxFiles = 32767;

struct MixEntry {
  std::uint32_t id = 0;
  std::uint32_t offset = 0;  // from the start of the body
  std::uint32_t size = 0;
};

// What the header and index of an archive say, checked against the file's size.
struct MixIndex {
  std::uint32_t flags = 0;
  bool olderLayout = false;   // no flags word
  std::size_t bodyStart = 0;  // where offset 0 lies in the file
  std::uint32_t bodySize = 0;
  std::vector<MixEntry> entries;  // in the file's order
};

enum class MixReadStatus { kOk, kEncrypted, kDamaged };

// Reads the index of the archive in `data`. kEncrypted for an encrypted archive, kDamaged
// for anything that does not hold together (too short, unknown flags, an index or an entry
// past the end, bytes after the end, two entries with one id, entries that overlap), each
// with a sentence in `error`.
MixReadStatus ReadMixIndex(const std::uint8_t* data, std::size_t size, MixIndex& index, std::string& error);

// One file to store: its id and its bytes.
struct MixMember {
  std::uint32_t id = 0;
  std::vector<std::uint8_t> bytes;
};

// True when `a` comes before `b` in the index: ids compared as signed 32-bit integers.
bool MixIdBefore(std::uint32_t a, std::uint32_t b);

// The whole archive for `members` (ids distinct; sorted here). False with a sentence when
// there are more than kMixMaxFiles members or the body would pass 4 GiB.
bool BuildMix(std::vector<MixMember> members, std::vector<std::uint8_t>& archive, std::string& error);

// A MIX file holds at most kMixMaxFiles files: the sentence for `count` more than that.
std::string MixTooManyFilesText(std::size_t count);
