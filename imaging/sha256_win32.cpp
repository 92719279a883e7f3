#include <windows.h>

#include <bcrypt.h>

#include <climits>

#include "byte_hash.h"

namespace {
// Opened once for the process; CNG lets every thread hash with it at the same time.
BCRYPT_ALG_HANDLE Algorithm() {
  static const BCRYPT_ALG_HANDLE algorithm = [] {
    BCRYPT_ALG_HANDLE opened = nullptr;
    return BCryptOpenAlgorithmProvider(&opened, BCRYPT_SHA256_ALGORITHM, nullptr, 0) >= 0 ? opened : nullptr;
  }();
  return algorithm;
}
}  // namespace

bool Sha256(const void* data, std::size_t size, Sha256Digest& digest) {
  const BCRYPT_ALG_HANDLE algorithm = Algorithm();
  if (!algorithm || size > ULONG_MAX) return false;
  // BCryptHash only reads its input, though it is declared without const.
  return BCryptHash(algorithm, nullptr, 0, static_cast<PUCHAR>(const_cast<void*>(data)), static_cast<ULONG>(size),
                    digest.data(), static_cast<ULONG>(digest.size())) >= 0;
}
