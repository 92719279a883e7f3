#include "image_file_cache.h"

#include "image_files.h"

bool ImageFileCache::Load(const std::string& path, MemoryImage& image) {
  std::shared_ptr<Entry> entry;
  try {
    std::lock_guard<std::mutex> lock(mutex_);
    std::shared_ptr<Entry>& slot = entries_[path];
    if (!slot) slot = std::make_shared<Entry>();
    entry = slot;
  } catch (const std::bad_alloc&) {
    return LoadImageFile(path.c_str(), image);
  }
  std::call_once(entry->decoded, [&] { entry->ok = LoadImageFile(path.c_str(), entry->image); });
  if (!entry->ok) return false;
  image = entry->image;
  return image.valid;
}

bool LoadImageFileVia(ImageFileCache* cache, const std::string& path, MemoryImage& image) {
  return cache ? cache->Load(path, image) : LoadImageFile(path.c_str(), image);
}
