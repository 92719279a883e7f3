#include "image_file_cache.h"

#include "image_files.h"

bool ImageFileCache::Load(const std::string& path, MemoryImage& image, std::string& reason) {
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
  image = entry->image;
  if (!image.valid) reason = "out of memory for the picture";
  return image.valid;
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
