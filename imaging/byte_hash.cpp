#include "byte_hash.h"

#include <cstring>

// Four independent lanes of multiply-rotate rounds over 32-byte stripes, then the tail
// and a final avalanche: a few gigabytes a second, so hashing a template file costs far
// less than decoding it.
namespace {
constexpr std::uint64_t kPrime1 = 0x9E3779B185EBCA87ull;
constexpr std::uint64_t kPrime2 = 0xC2B2AE3D27D4EB4Full;
constexpr std::uint64_t kPrime3 = 0x165667B19E3779F9ull;
constexpr std::uint64_t kPrime4 = 0x85EBCA77C2B2AE63ull;
constexpr std::uint64_t kPrime5 = 0x27D4EB2F165667C5ull;

std::uint64_t RotateLeft(std::uint64_t value, int bits) { return (value << bits) | (value >> (64 - bits)); }

std::uint64_t Read64(const unsigned char* at) {
  std::uint64_t value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

std::uint64_t Round(std::uint64_t lane, std::uint64_t input) {
  return RotateLeft(lane + input * kPrime2, 31) * kPrime1;
}

std::uint64_t MergeLane(std::uint64_t hash, std::uint64_t lane) { return (hash ^ Round(0, lane)) * kPrime1 + kPrime4; }
}  // namespace

std::uint64_t HashBytes(const void* data, std::size_t size, std::uint64_t seed) {
  const auto* at = static_cast<const unsigned char*>(data);
  const unsigned char* const end = at + size;
  std::uint64_t hash;
  if (size >= 32) {
    std::uint64_t lanes[4] = {seed + kPrime1 + kPrime2, seed + kPrime2, seed, seed - kPrime1};
    for (; end - at >= 32; at += 32)
      for (int i = 0; i < 4; ++i) lanes[i] = Round(lanes[i], Read64(at + 8 * i));
    hash = RotateLeft(lanes[0], 1) + RotateLeft(lanes[1], 7) + RotateLeft(lanes[2], 12) + RotateLeft(lanes[3], 18);
    for (std::uint64_t lane : lanes) hash = MergeLane(hash, lane);
  } else {
    hash = seed + kPrime5;
  }
  hash += size;
  for (; end - at >= 8; at += 8) hash = RotateLeft(hash ^ Round(0, Read64(at)), 27) * kPrime1 + kPrime4;
  for (; at < end; ++at) hash = RotateLeft(hash ^ (*at * kPrime5), 11) * kPrime1;
  hash ^= hash >> 33;
  hash *= kPrime2;
  hash ^= hash >> 29;
  hash *= kPrime3;
  return hash ^ (hash >> 32);
}
