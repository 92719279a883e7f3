#include "image_file_cache.h"

#include <cstring>

#include "image_files.h"

bool ImageFileCache::Load(const std::string& path, MemoryImage& image, std::string& reason) {
  return LoadRows(path, image, 0, reason);
}

bool ImageFileCache::LoadRows(const std::string& path, MemoryImage& image, int rowLimit, std::string& reason) {
  std::shared_ptr<Entry> entry;
  try {
    std::lock_guard<std::mutex> lock(mutex_);
    std::shared_ptr<Entry>& slot = entries_[path];
    if (!slot) slot = std::make_shared<Entry>();
    entry = slot;
  } catch (const std::bad_alloc&) {
    return LoadImageFile(path.c_str(), image, reason);
  }
  std::call_once(entry->decoded, [&] { entry->ok = LoadImageFile(path.c_str(), entry->image, entry->reason); });
  if (!entry->ok) {
    reason = entry->reason;
    return false;
  }
  const MemoryImage& whole = entry->image;
  const int rows = rowLimit > 0 && rowLimit < whole.height ? rowLimit : whole.height;
  if (!image.Allocate(whole.width, rows)) {
    image.Free();
    reason = "out of memory for the picture";
    return false;
  }
  for (int y = 0; y < rows; ++y)
    std::memcpy(image.GetRow(y), whole.GetRow(y), static_cast<std::size_t>(whole.width) * sizeof(Pixel));
  return true;
}

bool ImageFileCache::Load(const std::string& path, MemoryImage& image) {
  std::string ignored;
  return Load(path, image, ignored);
}

bool LoadImageFileVia(ImageFileCache* cache, const std::string& path, MemoryImage& image, std::string& reason) {
  return cache ? cache->Load(path, image, reason) : LoadImageFile(path.c_str(), image, reason);
}

bool LoadImageFileVia(ImageFileCache* cache, const std::string& path, MemoryImage& image) {
  std::string ignored;
  return LoadImageFileVia(cache, path, image, ignored);
}
