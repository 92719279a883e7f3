#include "mix_archive.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace {

std::uint16_t Read16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
std::uint32_t Read32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

std::string Hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
  return text;
}

MixReadStatus Damaged(std::string& error, const std::string& why) {
  error = "the MIX file is damaged: " + why;
  return MixReadStatus::kDamaged;
}

}  // namespace

bool MixIdBefore(std::uint32_t a, std::uint32_t b) {
  return static_cast<std::int32_t>(a) < static_cast<std::int32_t>(b);
}

MixReadStatus ReadMixIndex(const std::uint8_t* data, std::size_t size, MixIndex& index, std::string& error) {
  index = MixIndex{};
  if (size < 6) return Damaged(error, "it is too short for a MIX header (" + std::to_string(size) + " bytes)");
  std::size_t at = 0;
  // The older layout starts with the count, which is never 0 there; the newer one with
  // flags whose low 16 bits are 0.
  if (Read16(data) != 0) {
    index.olderLayout = true;
  } else {
    index.flags = Read32(data);
    at = 4;
    if (index.flags & kMixFlagEncrypted) {
      error = "the MIX file is encrypted; only unencrypted MIX files can be read or added to";
      return MixReadStatus::kEncrypted;
    }
    if (index.flags & ~kMixFlagChecksum) return Damaged(error, "its header has unknown flags " + Hex(index.flags));
    if (size < at + 6) return Damaged(error, "it ends inside its header");
  }
  const std::size_t count = Read16(data + at);
  index.bodySize = Read32(data + at + 2);
  at += 6;
  if ((size - at) / 12 < count)
    return Damaged(error, "its index of " + std::to_string(count) + " files runs past the end of the file");
  index.bodyStart = at + 12 * count;
  if (size - index.bodyStart < index.bodySize)
    return Damaged(error, "its body of " + std::to_string(index.bodySize) + " bytes runs past the end of the file");
  // The file is exactly header, index, body and checksum, as other MIX tools check too:
  // anything else is not an archive this program wrote or can add to safely.
  const std::size_t end = index.bodyStart + index.bodySize;
  const std::size_t trailer = index.flags & kMixFlagChecksum ? kMixChecksumBytes : 0;
  if (size - end < trailer) return Damaged(error, "its checksum flag is set but the 20 checksum bytes are missing");
  if (size - end > trailer)
    return Damaged(error, std::to_string(size - end - trailer) + " bytes follow the end of its body");
  std::set<std::uint32_t> seen;
  std::vector<MixEntry> byOffset;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* p = data + at + 12 * i;
    const MixEntry entry{Read32(p), Read32(p + 4), Read32(p + 8)};
    if (entry.offset > index.bodySize || entry.size > index.bodySize - entry.offset)
      return Damaged(error, "the file " + Hex(entry.id) + " lies outside the body");
    if (!seen.insert(entry.id).second) return Damaged(error, "two files share the id " + Hex(entry.id));
    index.entries.push_back(entry);
    if (entry.size > 0) byOffset.push_back(entry);
  }
  // Entries that share bytes would make a copy of the archive larger than the archive
  // (one body named 65,000 times); no writer makes them.
  std::sort(byOffset.begin(), byOffset.end(), [](const MixEntry& a, const MixEntry& b) { return a.offset < b.offset; });
  for (std::size_t i = 1; i < byOffset.size(); ++i)
    if (byOffset[i - 1].offset + std::uint64_t{byOffset[i - 1].size} > byOffset[i].offset)
      return Damaged(error, "the files " + Hex(byOffset[i - 1].id) + " and " + Hex(byOffset[i].id) + " overlap");
  return MixReadStatus::kOk;
}

std::string MixTooManyFilesText(std::size_t count) {
  return "a MIX file holds at most " + std::to_string(kMixMaxFiles) +
         " files (the games read the count as a signed 16-bit number), not " + std::to_string(count);
}

bool BuildMix(std::vector<MixMember> members, std::vector<std::uint8_t>& archive, std::string& error) {
  archive.clear();
  if (members.size() > kMixMaxFiles) {
    error = MixTooManyFilesText(members.size());
    return false;
  }
  std::stable_sort(members.begin(), members.end(),
                   [](const MixMember& a, const MixMember& b) { return MixIdBefore(a.id, b.id); });
  std::uint64_t body = 0;
  for (const MixMember& member : members) body += member.bytes.size();
  if (body > 0xFFFFFFFFull) {
    error = "the files come to more than the 4 GiB a MIX file can hold";
    return false;
  }
  archive.reserve(10 + 12 * members.size() + static_cast<std::size_t>(body));
  Put32(archive, 0);
  Put16(archive, static_cast<std::uint32_t>(members.size()));
  Put32(archive, static_cast<std::uint32_t>(body));
  std::uint32_t offset = 0;
  for (const MixMember& member : members) {
    Put32(archive, member.id);
    Put32(archive, offset);
    Put32(archive, static_cast<std::uint32_t>(member.bytes.size()));
    offset += static_cast<std::uint32_t>(member.bytes.size());
  }
  for (const MixMember& member : members) archive.insert(archive.end(), member.bytes.begin(), member.bytes.end());
  return true;
}
