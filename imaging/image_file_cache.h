// ImageFileCache: image files decoded once, for work that reads several image files and
// can tell in advance which.
//
// Shared (a batch of scenes on one package): every file is decoded whole once and handed
// out as copies; safe to use from several threads at once. Prefetch announces the files a
// scene is about to read; a caller that finds its file being decoded by another thread
// first decodes announced files nobody has started (so two scenes starting together split
// the templates between them instead of one waiting for the other), then waits.
// Once (one scene): Prefetch names the files the caller is about to read, in its order, and
// a second thread decodes them from the last one backwards while the caller works from the
// first; whoever comes to a file first decodes it, a caller that finds its file being
// decoded takes on the files not yet started meanwhile, and the caller is handed the
// decoded image itself, not a copy. Files not named in Prefetch are read as
// LoadImageFileRows would.
#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "memory_image.h"

struct PrefetchFile {
  std::string path;
  int rowLimit = 0;  // as the caller will ask for it: 0 for the whole image
};

class ImageFileCache {
 public:
  enum class Use { kShared, kOnce };
  explicit ImageFileCache(Use use = Use::kShared) : use_(use) {}
  // Waits for the second thread's decoding to end.
  ~ImageFileCache();
  ImageFileCache(const ImageFileCache&) = delete;
  ImageFileCache& operator=(const ImageFileCache&) = delete;

  // In Once use, starts decoding `files` on a second thread (at most one Prefetch per
  // cache; later calls do nothing). Without a thread the caller simply decodes every file
  // itself. In Shared use, announces them (see above); nothing is decoded yet.
  void Prefetch(std::vector<PrefetchFile> files);

  // Fills `image` (which must hold no pixels) as LoadImageFile would, with its reason on
  // failure; a failure is remembered as well, so a missing file is looked for once.
  bool Load(const std::string& path, MemoryImage& image, std::string& reason);
  bool Load(const std::string& path, MemoryImage& image);
  // Only the top rows, as LoadImageFileRows gives them (in Shared use the whole file is
  // decoded once and the rows copied).
  bool LoadRows(const std::string& path, MemoryImage& image, int rowLimit, std::string& reason);
  // LoadRows for a picture the caller only reads: in Shared use the image is given the
  // cache's own rows (MemoryImage::ShareRowsOf) instead of a copy.
  bool LoadRowsToRead(const std::string& path, MemoryImage& image, int rowLimit, std::string& reason);

 private:
  struct Entry {
    std::once_flag decoded;
    std::atomic<bool> started{false}, finished{false};  // another thread may be decoding it
    int rowLimit = 0;
    bool ok = false;
    bool handedOver = false;
    std::string reason;
    MemoryImage image;
  };
  static void Decode(const std::string& path, Entry& entry);
  void DecodeOnce(const std::string& path, Entry& entry);
  void Announce(std::vector<PrefetchFile>& files);
  // Decodes announced files nobody has started, from the last one, until `busy` (if any)
  // is decoded or none are left.
  void DecodeAnnounced(const Entry* busy);
  // The entry decoded (by this thread, or by another while this one takes on announced
  // files); false with the entry's reason when the file could not be.
  bool Decoded(const std::string& path, Entry& entry, std::string& reason);
  bool LoadShared(const std::string& path, MemoryImage& image, int rowLimit, bool share, std::string& reason);
  bool LoadOnce(const std::string& path, MemoryImage& image, int rowLimit, std::string& reason);

  const Use use_;
  std::mutex mutex_;
  std::map<std::string, std::shared_ptr<Entry>> entries_;
  std::vector<std::pair<std::string, std::shared_ptr<Entry>>> announced_;  // maybe started
  std::thread prefetcher_;
};

// LoadImageFile, through `cache` when there is one.
bool LoadImageFileVia(ImageFileCache* cache, const std::string& path, MemoryImage& image, std::string& reason);
bool LoadImageFileVia(ImageFileCache* cache, const std::string& path, MemoryImage& image);
