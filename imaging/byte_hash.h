// A fast 64-bit hash of bytes, for telling files and rows apart (not for security): the
// same bytes and seed always give the same value on every machine of one byte order.
#pragma once

#include <cstddef>
#include <cstdint>

// Hash of `size` bytes at `data`. Chaining (the previous result as the next seed) hashes
// pieces as one.
std::uint64_t HashBytes(const void* data, std::size_t size, std::uint64_t seed = 0);
