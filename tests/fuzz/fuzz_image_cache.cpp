// Entries of the picture cache as anything could have left them. The fuzzer's bytes are the
// entry file of the key its own header names (so a header that looks right leads on into
// the row hashes and rows), read and mapped at the size that header claims when it is
// modest, else at a small one; whatever is taken must be the rows the entry holds.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "decoded_image_store.h"
#include "fuzz_support.h"
#include "memory_image.h"

namespace {
// The entry's header, as the store writes it: "VTRLPIX3", the source file's size, its
// BLAKE3 digest, the picture's width and height.
constexpr std::size_t kHeaderBytes = 56;

std::uint32_t Read32(const std::uint8_t* at) {
  std::uint32_t value;
  std::memcpy(&value, at, sizeof value);
  return value;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const DecodedImageStore store(FuzzFolder() + "/cache");
  if (!store.Writable()) std::abort();
  DecodedImageKey key;
  int width = 7, height = 5;
  if (size >= kHeaderBytes) {
    std::memcpy(&key.size, data + 8, sizeof key.size);
    std::memcpy(key.digest.data(), data + 16, key.digest.size());
    const std::uint32_t w = Read32(data + 48), h = Read32(data + 52);
    if (w >= 1 && h >= 1 && w <= 512 && h <= 512) width = static_cast<int>(w), height = static_cast<int>(h);
  }
  const std::string entry = store.EntryPath(key);
  std::FILE* file = std::fopen(entry.c_str(), "wb");
  if (!file) std::abort();
  if (size && std::fwrite(data, 1, size, file) != size) std::abort();
  std::fclose(file);

  const int rows = size ? 1 + data[size - 1] % height : height;
  const std::size_t pixelsAt = kHeaderBytes + 8 * static_cast<std::size_t>(height);
  const std::size_t rowBytes = 4 * static_cast<std::size_t>(width);
  MemoryImage read;
  if (!read.Create(width, rows)) std::abort();
  if (store.Read(key, width, height, rows, [&read](int y) { return read.GetRow(y); })) {
    for (int y = 0; y < rows; ++y)
      if (pixelsAt + rowBytes * (y + 1) > size ||
          std::memcmp(read.GetRow(y), data + pixelsAt + rowBytes * y, rowBytes) != 0)
        std::abort();
  }
  MemoryImage mapped;
  if (store.Map(key, width, height, rows, mapped)) {
    if (mapped.width != width || mapped.height != rows) std::abort();
    for (int y = 0; y < rows; ++y)
      if (std::memcmp(mapped.GetRow(y), data + pixelsAt + rowBytes * y, rowBytes) != 0) std::abort();
  }
  std::remove(entry.c_str());
  return 0;
}
