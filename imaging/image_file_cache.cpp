#include "image_file_cache.h"

#include <cstring>
#include <utility>

#include "image_decoder.h"
#include "image_files.h"

namespace {
int RowsToDecode(int rowLimit) { return rowLimit > 0 ? rowLimit : kMaxImageSide; }
}  // namespace

ImageFileCache::~ImageFileCache() {
  if (prefetcher_.joinable()) prefetcher_.join();
}

void ImageFileCache::Decode(const std::string& path, Entry& entry) {
  entry.ok = LoadImageFileRows(path.c_str(), entry.image, RowsToDecode(entry.rowLimit), entry.reason);
}

void ImageFileCache::DecodeOnce(const std::string& path, Entry& entry) {
  std::call_once(entry.decoded, [&] {
    entry.started = true;
    Decode(path, entry);
    entry.finished = true;
  });
}

void ImageFileCache::Announce(std::vector<PrefetchFile>& files) {
  try {
    std::lock_guard<std::mutex> lock(mutex_);
    for (PrefetchFile& file : files) {
      std::shared_ptr<Entry>& slot = entries_[file.path];
      if (slot) continue;  // announced or read before: the first one counts
      slot = std::make_shared<Entry>();
      // Shared entries hold whole pictures: the scenes of a batch need different rows.
      if (use_ == Use::kOnce) slot->rowLimit = file.rowLimit;
      announced_.emplace_back(std::move(file.path), slot);
    }
  } catch (const std::bad_alloc&) {
    // Unannounced files are simply decoded by whoever reads them first.
  }
}

void ImageFileCache::DecodeAnnounced(const Entry* busy) {
  while (!busy || !busy->finished) {
    std::pair<std::string, std::shared_ptr<Entry>> next;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      // From the back: the readers take their files from the front.
      while (!announced_.empty() && announced_.back().second->started) announced_.pop_back();
      if (announced_.empty()) return;
      next = std::move(announced_.back());
      announced_.pop_back();
    }
    DecodeOnce(next.first, *next.second);
  }
}

bool ImageFileCache::Decoded(const std::string& path, Entry& entry, std::string& reason) {
  if (entry.started && !entry.finished) DecodeAnnounced(&entry);
  DecodeOnce(path, entry);
  if (!entry.ok) reason = entry.reason;
  return entry.ok;
}

void ImageFileCache::Prefetch(std::vector<PrefetchFile> files) {
  if (use_ == Use::kOnce && prefetcher_.joinable()) return;
  Announce(files);
  if (use_ == Use::kShared) return;
  try {
    prefetcher_ = std::thread([this] { DecodeAnnounced(nullptr); });
  } catch (const std::system_error&) {
    // No thread: the caller decodes every file itself.
  }
}

bool ImageFileCache::Load(const std::string& path, MemoryImage& image, std::string& reason) {
  return LoadRows(path, image, 0, reason);
}

bool ImageFileCache::Load(const std::string& path, MemoryImage& image) {
  std::string ignored;
  return Load(path, image, ignored);
}

bool ImageFileCache::LoadRows(const std::string& path, MemoryImage& image, int rowLimit, std::string& reason) {
  return use_ == Use::kOnce ? LoadOnce(path, image, rowLimit, reason)
                            : LoadShared(path, image, rowLimit, false, reason);
}

bool ImageFileCache::LoadRowsToRead(const std::string& path, MemoryImage& image, int rowLimit, std::string& reason) {
  return use_ == Use::kOnce ? LoadOnce(path, image, rowLimit, reason) : LoadShared(path, image, rowLimit, true, reason);
}

bool ImageFileCache::LoadOnce(const std::string& path, MemoryImage& image, int rowLimit, std::string& reason) {
  std::shared_ptr<Entry> entry;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = entries_.find(path);
    if (found != entries_.end() && found->second->rowLimit == rowLimit && !found->second->handedOver) {
      entry = found->second;
      entry->handedOver = true;
    }
  }
  if (!entry) return LoadImageFileRows(path.c_str(), image, RowsToDecode(rowLimit), reason);
  if (!Decoded(path, *entry, reason)) return false;
  image = std::move(entry->image);
  return true;
}

bool ImageFileCache::LoadShared(const std::string& path, MemoryImage& image, int rowLimit, bool share,
                                std::string& reason) {
  std::shared_ptr<Entry> entry;
  try {
    std::lock_guard<std::mutex> lock(mutex_);
    std::shared_ptr<Entry>& slot = entries_[path];
    if (!slot) slot = std::make_shared<Entry>();
    entry = slot;
  } catch (const std::bad_alloc&) {
    return LoadImageFileRows(path.c_str(), image, RowsToDecode(rowLimit), reason);
  }
  if (!Decoded(path, *entry, reason)) return false;
  const MemoryImage& whole = entry->image;
  const int rows = rowLimit > 0 && rowLimit < whole.height ? rowLimit : whole.height;
  if (share) {
    // The entry stays in the cache, unchanged, for as long as the image holds its rows.
    image.ShareRowsOf(std::shared_ptr<const MemoryImage>(entry, &whole), rows);
    return true;
  }
  if (!image.Allocate(whole.width, rows)) {
    image.Free();
    reason = "out of memory for the picture";
    return false;
  }
  for (int y = 0; y < rows; ++y)
    std::memcpy(image.GetRow(y), whole.GetRow(y), static_cast<std::size_t>(whole.width) * sizeof(Pixel));
  return true;
}

bool LoadImageFileVia(ImageFileCache* cache, const std::string& path, MemoryImage& image, std::string& reason) {
  return cache ? cache->Load(path, image, reason) : LoadImageFile(path.c_str(), image, reason);
}

bool LoadImageFileVia(ImageFileCache* cache, const std::string& path, MemoryImage& image) {
  std::string ignored;
  return LoadImageFileVia(cache, path, image, ignored);
}
