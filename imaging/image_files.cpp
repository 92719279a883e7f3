#include "image_files.h"

#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "decoded_image_store.h"
#include "image_lib.h"
#include "mapped_file.h"
#include "memory_image.h"

char ImageFilter[kImageFilterSize];

void BuildImageFilter(char* out, const char* patterns) {
  static const char kAllFiles[] = "All files (*.*)\0*.*\0";  // plus the literal's own NUL
  std::memset(out, 0, kImageFilterSize);
  const std::size_t p = patterns ? std::strlen(patterns) : 0;
  // "Image files:(" P ")" NUL P NUL, then the All files pair and the closing NUL:
  // 37 + 2 P bytes in all.
  if (p == 0 || 37 + 2 * p > kImageFilterSize) {
    std::memcpy(out, kAllFiles, sizeof kAllFiles);
    return;
  }
  char* at = out;
  auto put = [&at](const char* text, std::size_t n) {
    std::memcpy(at, text, n);
    at += n;
  };
  put("Image files:(", 13);
  put(patterns, p);
  put(")", 2);  // with its NUL
  put(patterns, p);
  ++at;  // NUL
  put(kAllFiles, sizeof kAllFiles);
}

bool InitImageFiles() {
  if (!ImageInit()) return false;
  BuildImageFilter(ImageFilter, ImageOpenFilterStr());
  return true;
}

bool LoadImageFile(const char* path, Image& image, std::string& reason) {
  return LoadImageFileRows(path, image, kMaxImageSide, reason);
}

namespace {
// Files from this size on are looked up in the picture store before they are read whole.
constexpr std::size_t kMappedKeyMinBytes = std::size_t{64} << 10;

// The picture of a large file the store holds, without reading the file whole: its key is
// hashed from the file mapped (no copy out of the system's cache, no fresh memory to
// touch), and the rows come from the entry. False, `image` untouched, when the file is
// small or not held; the caller then reads it as usual. A file changed while it is hashed
// gives a key that meets no entry, or the entry of what it now holds.
bool LoadHeldPicture(const char* path, Image& image, int rowLimit) {
  const DecodedImageStore* store = ActiveDecodedImageStore();
  if (!store) return false;
  std::shared_ptr<MappedFile> file = MappedFile::Open(path);
  if (!file || file->size() < kMappedKeyMinBytes || file->size() > kMaxImageFileSize) return false;
  const DecodedImageKey key = DecodedImageStore::KeyFor(file->data(), file->size());
  file.reset();
  return LoadImageStored(*store, key, rowLimit, image);
}
}  // namespace

// The rows are decoded straight into the image: no buffer of the whole picture in between,
// and a MemoryImage is not cleared first, as every row asked for is written.
bool LoadImageFileRows(const char* path, Image& image, int rowLimit, std::string& reason) {
  if (path && LoadHeldPicture(path, image, rowLimit)) return true;
  // The file's bytes go to memory this thread keeps from file to file: the pages of the
  // largest file read so far are reused, not requested and touched anew for every file.
  thread_local std::vector<std::uint8_t> bytes;
  ImageHeader header;
  if (!ReadImageBytes(path, bytes, header, reason)) return false;
  // The header has been checked against the limits, so this allocation is bounded.
  const int rows = rowLimit < 1 ? 1 : rowLimit < header.height ? rowLimit : header.height;
  auto* memory = dynamic_cast<MemoryImage*>(&image);
  DecodedImageKey key;
  const DecodedImageStore* store = StoreFor(ActiveDecodedImageStore(), bytes.data(), bytes.size(), header, key);
  // A picture decoded before is taken from the store's file where it lies, where that is
  // the cheaper way (mapped_file.h).
  if (memory && kMappingBeatsCopying && MapImageStored(store, key, header, rows, *memory)) return true;
  if (!(memory ? memory->Allocate(header.width, rows) : image.Create(header.width, rows))) {
    image.Free();
    return reason = "out of memory for the picture", false;
  }
  if (!DecodeImageRowsStored(
          store, key, bytes.data(), bytes.size(), header, rows, [&image](int y) { return image.GetRow(y); }, reason)) {
    image.Free();
    return false;
  }
  return true;
}

bool LoadImageFile(const char* path, Image& image) {
  std::string ignored;
  return LoadImageFile(path, image, ignored);
}

int SaveImageFile(const char* path, const Image& image, std::string& reason) {
  if (!image.valid || image.width <= 0 || image.height <= 0) return reason = "there is no picture to write", 0;
  const auto row = [&image](int y) -> const Pixel* { return image.GetRow(y); };
  return WriteImageRows(path, image.width, image.height, row, reason) ? 1 : 0;
}

int SaveImageFile(const char* path, const Image& image) {
  std::string ignored;
  return SaveImageFile(path, image, ignored);
}

bool EncodeImageFile(const char* formatPath, const Image& image, std::vector<unsigned char>& bytes) {
  bytes.clear();
  if (!formatPath || !image.valid || image.width <= 0 || image.height <= 0) return false;
  const auto row = [&image](int y) -> const Pixel* { return image.GetRow(y); };
  return EncodeImageRows(formatPath, image.width, image.height, row, bytes);
}
