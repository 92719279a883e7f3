#include "decoded_image_store.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <system_error>
#include <vector>

#include "byte_hash.h"
#include "file_replacement.h"
#include "mapped_file.h"
#include "memory_image.h"
#include "read_file.h"

namespace fs = std::filesystem;

namespace {
// Raised whenever the layout changes, so an old entry reads as missing.
constexpr char kMagic[8] = {'V', 'T', 'R', 'L', 'P', 'I', 'X', '3'};
constexpr char kEntryExtension[] = ".pixels";
constexpr std::size_t kExtensionLength = sizeof kEntryExtension - 1;
// Temporary files older than this were left by a process that died while writing.
constexpr auto kStaleTemporaryAge = std::chrono::hours(1);

struct EntryHeader {
  char magic[8];
  std::uint64_t size;
  ContentDigest digest;
  std::uint32_t width;
  std::uint32_t height;
};
static_assert(sizeof(EntryHeader) == 56, "the header is written as it lies in memory");

// The names the store gives entries: 64 hex digits of the key's digest now, 16 of a hash of
// the key in the version before, whose entries are removed like any other when room is made.
bool IsEntryName(const std::string& name) {
  if (name.size() <= kExtensionLength ||
      name.compare(name.size() - kExtensionLength, kExtensionLength, kEntryExtension) != 0)
    return false;
  const std::size_t digits = name.size() - kExtensionLength;
  return (digits == 64 || digits == 16) && name.find_first_not_of("0123456789abcdef") == digits;
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

std::size_t RowBytes(int width) { return static_cast<std::size_t>(width) * sizeof(Pixel); }

bool SameKey(const EntryHeader& header, const DecodedImageKey& key) {
  return header.size == key.size && header.digest == key.digest;
}

// The size of the picture in the header of an entry for `key`, within the limits of every
// image (the header is outside data); false when it is no such header.
bool PictureSizeIn(const EntryHeader& header, const DecodedImageKey& key, int& width, int& height) {
  if (std::memcmp(header.magic, kMagic, sizeof kMagic) != 0 || !SameKey(header, key) || header.width < 1 ||
      header.height < 1 || header.width > kMaxImageSide || header.height > kMaxImageSide ||
      std::uint64_t{header.width} * header.height > static_cast<std::uint64_t>(kMaxImagePixels))
    return false;
  width = static_cast<int>(header.width);
  height = static_cast<int>(header.height);
  return true;
}

// The header of a sound entry for `key` holding a width x height picture.
bool IsEntryFor(const EntryHeader& header, const DecodedImageKey& key, int width, int height) {
  int heldWidth = 0, heldHeight = 0;
  return PictureSizeIn(header, key, heldWidth, heldHeight) && heldWidth == width && heldHeight == height;
}

// An entry opened for reading its rows one by one, its header read (`file` null when it
// cannot be opened or is shorter than a header). With the usual 4 KB buffer nearly each row
// would cost a system call, thousands per picture. A larger buffer saves few more calls and
// costs the first touch of its pages, which under Wine (no huge pages there) comes to some
// 15 us a page.
struct EntryStream {
  explicit EntryStream(const std::string& path) {
    std::string ignored;
    file.reset(OpenRegularFileStream(path, ignored));
    if (!file) return;
    if (buffer) std::setvbuf(file.get(), buffer.get(), _IOFBF, kBufferBytes);
    if (std::fread(&header, sizeof header, 1, file.get()) != 1) file.reset();
  }
  static constexpr std::size_t kBufferBytes = std::size_t{256} << 10;
  std::unique_ptr<char[]> buffer{new (std::nothrow) char[kBufferBytes]};  // declared first: outlives the file
  std::unique_ptr<std::FILE, FileCloser> file;
  EntryHeader header{};
};

// Rows 0..rows-1 of the width x height picture of `entry` (its header read), each checked
// against its hash.
bool ReadRows(EntryStream& entry, int width, int height, int rows, const std::function<Pixel*(int)>& rowAt) {
  std::FILE* file = entry.file.get();
  std::vector<std::uint64_t> rowHashes(static_cast<std::size_t>(rows));
  if (std::fread(rowHashes.data(), sizeof(std::uint64_t), rowHashes.size(), file) != rowHashes.size()) return false;
  const long pixelsStart =
      static_cast<long>(sizeof(EntryHeader) + sizeof(std::uint64_t) * static_cast<std::size_t>(height));
  if (rows < height && std::fseek(file, pixelsStart, SEEK_SET) != 0) return false;
  for (int y = 0; y < rows; ++y) {
    Pixel* row = rowAt(y);
    if (std::fread(row, RowBytes(width), 1, file) != 1) return false;
    if (HashBytes(row, RowBytes(width)) != rowHashes[static_cast<std::size_t>(y)]) return false;
  }
  return true;
}

// The header of the mapped entry `file`; false when it is shorter than one.
bool MappedHeader(const MappedFile* file, EntryHeader& header) {
  if (!file || file->size() < sizeof header) return false;
  std::memcpy(&header, file->data(), sizeof header);
  return true;
}

// `into` made of rows 0..rows-1 of the width x height picture in the mapped entry `file`,
// each checked against its hash where it lies.
bool UseMappedRows(std::shared_ptr<MappedFile> file, int width, int height, int rows, MemoryImage& into) {
  const std::size_t hashesStart = sizeof(EntryHeader),
                    pixelsStart = hashesStart + sizeof(std::uint64_t) * static_cast<std::size_t>(height);
  if (file->size() < pixelsStart + RowBytes(width) * static_cast<std::size_t>(height)) return false;
  auto* first = reinterpret_cast<Pixel*>(file->data() + pixelsStart);
  for (int y = 0; y < rows; ++y) {
    std::uint64_t expected;
    std::memcpy(&expected, file->data() + hashesStart + sizeof expected * static_cast<std::size_t>(y), sizeof expected);
    if (HashBytes(first + static_cast<std::size_t>(y) * static_cast<std::size_t>(width), RowBytes(width)) != expected)
      return false;
  }
  return into.UseRowsIn(std::move(file), first, width, rows);
}

// Marks an entry as recently used, for MakeRoomFor; it matters little when it fails.
void MarkUsed(const std::string& path) {
  try {
    std::error_code ignored;
    fs::last_write_time(path, fs::file_time_type::clock::now(), ignored);
  } catch (const std::exception&) {
  }
}
}  // namespace

DecodedImageStore::DecodedImageStore(std::string folder, std::uint64_t byteLimit)
    : folder_(std::move(folder)), byteLimit_(byteLimit) {}

DecodedImageKey DecodedImageStore::KeyFor(const std::uint8_t* bytes, std::size_t size) {
  return {size, DigestOf(bytes, size)};
}

std::string DecodedImageStore::EntryPath(const DecodedImageKey& key) const {
  std::string name;
  for (const std::uint8_t byte : key.digest) {
    name += "0123456789abcdef"[byte >> 4];
    name += "0123456789abcdef"[byte & 15];
  }
  return folder_ + static_cast<char>(fs::path::preferred_separator) + name + kEntryExtension;
}

bool DecodedImageStore::Writable() const {
  std::call_once(writableChecked_, [this] {
    try {
      std::error_code error;
      fs::create_directories(folder_, error);
      writable_ = !folder_.empty() && fs::is_directory(folder_, error);
    } catch (const std::exception&) {
      writable_ = false;
    }
  });
  return writable_;
}

bool DecodedImageStore::Read(const DecodedImageKey& key, int width, int height, int rows,
                             const std::function<Pixel*(int)>& rowAt) const {
  if (folder_.empty() || width <= 0 || height <= 0 || rows <= 0 || rows > height) return false;
  const std::string path = EntryPath(key);
  EntryStream entry(path);
  if (!entry.file || !IsEntryFor(entry.header, key, width, height) || !ReadRows(entry, width, height, rows, rowAt))
    return false;
  entry.file.reset();
  MarkUsed(path);
  return true;
}

bool DecodedImageStore::Map(const DecodedImageKey& key, int width, int height, int rows, MemoryImage& into) const {
  into.Free();
  if (folder_.empty() || width <= 0 || height <= 0 || rows <= 0 || rows > height) return false;
  const std::string path = EntryPath(key);
  std::shared_ptr<MappedFile> file = MappedFile::Open(path);
  EntryHeader header;
  if (!MappedHeader(file.get(), header) || !IsEntryFor(header, key, width, height) ||
      !UseMappedRows(std::move(file), width, height, rows, into))
    return false;
  MarkUsed(path);
  return true;
}

bool DecodedImageStore::Write(const DecodedImageKey& key, int width, int height,
                              const std::function<const Pixel*(int)>& row) const {
  if (folder_.empty() || width <= 0 || height <= 0) return false;
  const std::size_t rows = static_cast<std::size_t>(height);
  const std::uint64_t bytes = sizeof(EntryHeader) + rows * (sizeof(std::uint64_t) + RowBytes(width));
  if (bytes > byteLimit_ || !Writable()) return false;
  try {
    MakeRoomFor(bytes);
    EntryHeader header{};
    std::memcpy(header.magic, kMagic, sizeof kMagic);
    header.size = key.size;
    header.digest = key.digest;
    header.width = static_cast<std::uint32_t>(width);
    header.height = static_cast<std::uint32_t>(height);
    std::vector<std::uint64_t> rowHashes(rows);
    for (int y = 0; y < height; ++y) rowHashes[static_cast<std::size_t>(y)] = HashBytes(row(y), RowBytes(width));
    FileReplacement file(EntryPath(key));
    std::string reason;
    if (!file.Create(reason) || !file.Write(&header, sizeof header, reason) ||
        !file.Write(rowHashes.data(), rowHashes.size() * sizeof(std::uint64_t), reason))
      return false;
    for (int y = 0; y < height; ++y)
      if (!file.Write(row(y), RowBytes(width), reason)) return false;
    // An entry is checked on every read and made again when lost: its name needs no flush.
    return file.Finish(reason) && CommitReplacement(file, reason, NameFlush::kLeftToSystem);
  } catch (const std::exception&) {
    return false;
  }
}

void DecodedImageStore::MakeRoomFor(std::uint64_t bytes) const {
  struct Found {
    fs::path path;
    std::uint64_t size;
    fs::file_time_type time;
  };
  std::vector<Found> entries;
  std::uint64_t total = 0;
  std::error_code error;
  const auto now = fs::file_time_type::clock::now();
  for (fs::directory_iterator it(folder_, error), end; !error && it != end; it.increment(error)) {
    std::error_code ignored;
    const fs::path& path = it->path();
    const std::string name = path.filename().string();
    const std::uint64_t size = it->file_size(ignored);
    const fs::file_time_type time = it->last_write_time(ignored);
    if (ignored) continue;
    // An entry, or a temporary file of one; any other name is not ours.
    const std::size_t extension = name.find(kEntryExtension);
    const std::string entryName = extension == std::string::npos ? std::string()
                                                                 : name.substr(0, extension + kExtensionLength);
    if (!IsEntryName(entryName)) continue;
    if (name != entryName) {
      if (!IsLeftoverName(name, entryName)) continue;
      if (now - time > kStaleTemporaryAge)
        fs::remove(path, ignored);
      else
        total += size;  // being written by another process
      continue;
    }
    total += size;
    entries.push_back({path, size, time});
  }
  if (total + bytes <= byteLimit_) return;
  std::sort(entries.begin(), entries.end(), [](const Found& a, const Found& b) { return a.time < b.time; });
  for (const Found& entry : entries) {
    if (total + bytes <= byteLimit_) break;
    std::error_code ignored;
    // Another process may have removed it, or (on Windows) be reading it: then it stays.
    if (fs::remove(entry.path, ignored)) total -= entry.size;
  }
}

const DecodedImageStore* StoreFor(const DecodedImageStore* store, const std::uint8_t* bytes, std::size_t size,
                                  const ImageHeader& header, DecodedImageKey& key) {
  if (!store || static_cast<long long>(header.width) * header.height < DecodedImageStore::kMinPixels) return nullptr;
  key = DecodedImageStore::KeyFor(bytes, size);
  return store;
}

bool MapImageStored(const DecodedImageStore* store, const DecodedImageKey& key, const ImageHeader& header, int rowCount,
                    MemoryImage& into) {
  return store && store->Map(key, header.width, header.height, std::min(rowCount, header.height), into);
}

bool LoadImageStored(const DecodedImageStore& store, const DecodedImageKey& key, int rowLimit, Image& image) {
  if (store.folder().empty()) return false;
  // The entry is opened once: its header gives the size, and its rows follow.
  const std::string path = store.EntryPath(key);
  int width = 0, height = 0;
  auto* memory = dynamic_cast<MemoryImage*>(&image);
  if (memory && kMappingBeatsCopying) {
    std::shared_ptr<MappedFile> file = MappedFile::Open(path);
    EntryHeader header;
    if (!MappedHeader(file.get(), header) || !PictureSizeIn(header, key, width, height) ||
        !UseMappedRows(std::move(file), width, height, std::clamp(rowLimit, 1, height), *memory)) {
      memory->Free();
      return false;
    }
  } else {
    EntryStream entry(path);
    if (!entry.file || !PictureSizeIn(entry.header, key, width, height)) return false;
    const int rows = std::clamp(rowLimit, 1, height);
    if (!(memory ? memory->Allocate(width, rows) : image.Create(width, rows)) ||
        !ReadRows(entry, width, height, rows, [&image](int y) { return image.GetRow(y); })) {
      image.Free();
      return false;
    }
  }
  MarkUsed(path);
  return true;
}

bool DecodeImageRowsStored(const DecodedImageStore* store, const DecodedImageKey& key, const std::uint8_t* bytes,
                           std::size_t size, const ImageHeader& header, int rowCount,
                           const std::function<Pixel*(int)>& rowAt, std::string& reason) {
  const int rows = std::min(rowCount, header.height);
  if (!store) return DecodeImageRows(bytes, size, header, rows, rowAt, reason);
  if (store->Read(key, header.width, header.height, rows, rowAt)) return true;
  // A miss decodes the whole picture once, so that every later reader finds all its rows;
  // without a store to keep it in, only the rows asked for.
  if (rows == header.height || !store->Writable()) {
    if (!DecodeImageRows(bytes, size, header, rows, rowAt, reason)) return false;
    if (rows == header.height)
      store->Write(key, header.width, header.height, [&rowAt](int y) -> const Pixel* { return rowAt(y); });
    return true;
  }
  MemoryImage whole;
  if (!whole.Allocate(header.width, header.height)) return DecodeImageRows(bytes, size, header, rows, rowAt, reason);
  if (!DecodeImageRows(
          bytes, size, header, header.height, [&whole](int y) { return whole.GetRow(y); }, reason))
    return false;
  store->Write(key, header.width, header.height, [&whole](int y) -> const Pixel* { return whole.GetRow(y); });
  for (int y = 0; y < rows; ++y) std::memcpy(rowAt(y), whole.GetRow(y), RowBytes(header.width));
  return true;
}

namespace {
std::unique_ptr<DecodedImageStore>& ProcessStore() {
  static std::unique_ptr<DecodedImageStore> store;
  return store;
}
}  // namespace

void UseDecodedImageStore(const std::string& folder) {
  ProcessStore() = folder.empty() ? nullptr : std::make_unique<DecodedImageStore>(folder);
}

const DecodedImageStore* ActiveDecodedImageStore() { return ProcessStore().get(); }
