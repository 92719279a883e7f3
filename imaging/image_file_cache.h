// ImageFileCache: image files decoded once and handed out as copies, for work that reads
// the same templates many times (a batch of scenes on one package). Safe to use from
// several threads at once: a second caller of a path waits for the first decoding.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "memory_image.h"

class ImageFileCache {
 public:
  // Fills `image` (which must hold no pixels) as LoadImageFile would, with its reason on
  // failure; a failure is remembered as well, so a missing file is looked for once.
  bool Load(const std::string& path, MemoryImage& image, std::string& reason);
  bool Load(const std::string& path, MemoryImage& image);
  // Only the top rows, as LoadImageFileRows gives them (the whole file is decoded once).
  bool LoadRows(const std::string& path, MemoryImage& image, int rowLimit, std::string& reason);

 private:
  struct Entry {
    std::once_flag decoded;
    bool ok = false;
    std::string reason;
    MemoryImage image;
  };
  std::mutex mutex_;
  std::map<std::string, std::shared_ptr<Entry>> entries_;
};

// LoadImageFile, through `cache` when there is one.
bool LoadImageFileVia(ImageFileCache* cache, const std::string& path, MemoryImage& image, std::string& reason);
bool LoadImageFileVia(ImageFileCache* cache, const std::string& path, MemoryImage& image);
