// Hashes of bytes. HashBytes is a fast 64-bit hash for noticing damage (a row of a cached
// picture that no longer matches): the same bytes and seed always give the same value on
// every machine of one byte order, but anybody can make two inputs that share one. Where
// crafted input must not be able to share a value with other input (the key of a cached
// picture), Sha256 is used: the platform's SHA-256, from CNG on Windows
// (sha256_win32.cpp) and from Debian's nettle elsewhere (sha256_posix.cpp).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// Hash of `size` bytes at `data`. Chaining (the previous result as the next seed) hashes
// pieces as one.
std::uint64_t HashBytes(const void* data, std::size_t size, std::uint64_t seed = 0);

using Sha256Digest = std::array<std::uint8_t, 32>;
// The SHA-256 digest of `size` bytes at `data`. False (digest unspecified) only when the
// platform cannot compute it.
bool Sha256(const void* data, std::size_t size, Sha256Digest& digest);
