#include <windows.h>

#include <bcrypt.h>

#include <climits>

#include "byte_hash.h"

namespace {
// CNG, loaded from the system folder on the first hash instead of with the program: under
// Wine its start-up loads GnuTLS (some 20 ms), which the editor's window need not wait
// for; the first hash runs on the thread that reads the templates.
struct Sha256Provider {
  decltype(&BCryptHash) hash = nullptr;
  BCRYPT_ALG_HANDLE algorithm = nullptr;
};

template <class Function>
Function Entry(HMODULE module, const char* name) {
  // Through a function type without arguments: GetProcAddress's own type is a placeholder.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// Opened once for the process; CNG lets every thread hash with it at the same time.
const Sha256Provider& Provider() {
  static const Sha256Provider provider = [] {
    Sha256Provider opened;
    const HMODULE module = LoadLibraryExW(L"bcrypt.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!module) return opened;
    const auto open = Entry<decltype(&BCryptOpenAlgorithmProvider)>(module, "BCryptOpenAlgorithmProvider");
    opened.hash = Entry<decltype(&BCryptHash)>(module, "BCryptHash");
    if (!open || !opened.hash || open(&opened.algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0) < 0)
      opened.algorithm = nullptr;
    return opened;
  }();
  return provider;
}
}  // namespace

bool Sha256(const void* data, std::size_t size, Sha256Digest& digest) {
  const Sha256Provider& provider = Provider();
  if (!provider.algorithm || size > ULONG_MAX) return false;
  // BCryptHash only reads its input, though it is declared without const.
  return provider.hash(provider.algorithm, nullptr, 0, static_cast<PUCHAR>(const_cast<void*>(data)),
                       static_cast<ULONG>(size), digest.data(), static_cast<ULONG>(digest.size())) >= 0;
}
