#include <blake3.h>

#include "byte_hash.h"

ContentDigest DigestOf(const void* data, std::size_t size) {
  blake3_hasher hasher;
  blake3_hasher_init(&hasher);
  blake3_hasher_update(&hasher, data, size);
  ContentDigest digest;
  blake3_hasher_finalize(&hasher, digest.data(), digest.size());
  return digest;
}
