// Hashes of bytes. HashBytes is a fast 64-bit hash for noticing damage (a row of a cached
// picture that no longer matches): the same bytes and seed always give the same value on
// every machine of one byte order, but anybody can make two inputs that share one. Where
// crafted input must not be able to share a value with other input (the key of a cached
// picture), ContentDigest is used: BLAKE3's 256-bit digest, collision-resistant like
// SHA-256 and some three times faster on a processor with AVX-512 (content_digest.cpp).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// Hash of `size` bytes at `data`. Chaining (the previous result as the next seed) hashes
// pieces as one.
std::uint64_t HashBytes(const void* data, std::size_t size, std::uint64_t seed = 0);

using ContentDigest = std::array<std::uint8_t, 32>;
// The BLAKE3 digest of `size` bytes at `data`.
ContentDigest DigestOf(const void* data, std::size_t size);
