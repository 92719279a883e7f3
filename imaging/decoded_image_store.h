// DecodedImageStore: decoded pictures kept on disk between runs, so that a large image
// file read again unchanged (a template's map or frame) costs a read of its pixels instead
// of a decode.
//
// An entry is one file "<folder>/<64 hex digits>.pixels" named after its key: the source
// file's size and the BLAKE3 digest of its bytes, so an edited file never meets the entry
// of its old content, and no file made to collide with another can be handed that file's
// picture. The entry holds the key again, the picture's size, a hash of every row (against
// damage, not attack: whoever can write the folder can write any picture) and the rows
// (0x00RRGGBB, top to bottom, in the machine's byte order).
//
// The store is never required: every failure (no folder, no room, an entry missing, short,
// not a regular file, of another version or with a row that does not match its hash) only
// means the caller decodes the file as usual. Entries are written through safe replacement,
// so two processes sharing the folder each see either no entry or a complete one; an entry
// shortened by someone else while it is mapped reads as black rows (mapped_file.h). The
// folder is kept under a byte limit: writing an entry first removes the entries used least
// recently. Only names the store writes are ever counted or removed there (an entry, of this
// version or the one before, or a temporary file of one).
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

#include "byte_hash.h"
#include "pixel.h"

#include "image_decoder.h"
#include "memory_image.h"

struct DecodedImageKey {
  std::uint64_t size = 0;
  ContentDigest digest{};  // of the file's bytes
};

class DecodedImageStore {
 public:
  static constexpr std::uint64_t kDefaultByteLimit = std::uint64_t{128} << 20;
  // Pictures smaller than this are decoded faster than an entry is looked up.
  static constexpr long long kMinPixels = 1 << 16;

  explicit DecodedImageStore(std::string folder, std::uint64_t byteLimit = kDefaultByteLimit);
  const std::string& folder() const { return folder_; }

  // The key of a file whose whole content is `bytes`.
  static DecodedImageKey KeyFor(const std::uint8_t* bytes, std::size_t size);

  // Fills rows 0..rows-1 (rowAt(y), width pixels each) from the entry for `key`, which must
  // be a width x height picture. False, the rows holding anything, when there is no sound
  // entry.
  bool Read(const DecodedImageKey& key, int width, int height, int rows, const std::function<Pixel*(int)>& rowAt) const;
  // The same rows checked alike, but left where they lie: `into` becomes them, read from the
  // entry's file mapped (MappedFile), which it keeps alive. False, `into` left empty, when
  // there is no sound entry or the file cannot be mapped.
  bool Map(const DecodedImageKey& key, int width, int height, int rows, MemoryImage& into) const;
  // Keeps the whole width x height picture whose rows row(y) gives as the entry for `key`;
  // false (nothing left behind) on failure.
  bool Write(const DecodedImageKey& key, int width, int height, const std::function<const Pixel*(int)>& row) const;

  std::string EntryPath(const DecodedImageKey& key) const;
  // Whether entries can be written at all: the folder is there or could be made (asked of
  // the file system once).
  bool Writable() const;

 private:
  void MakeRoomFor(std::uint64_t bytes) const;
  std::string folder_;
  std::uint64_t byteLimit_;
  mutable std::once_flag writableChecked_;
  mutable bool writable_ = false;
};

// The store to use for a file whose whole content is `bytes` (`key` then filled): `store`,
// unless there is none or the picture is too small to be worth it (then null: the file is
// decoded as usual).
const DecodedImageStore* StoreFor(const DecodedImageStore* store, const std::uint8_t* bytes, std::size_t size,
                                  const ImageHeader& header, DecodedImageKey& key);

// DecodeImageRows (image_decoder.h) for the file whose whole content is `bytes` and whose
// key (StoreFor) is `key`, through `store` when there is one: the rows come from the store's
// entry when it has a sound one; otherwise the whole picture is decoded, kept in the store,
// and the rows asked for handed over. Fails only as DecodeImageRows does.
bool DecodeImageRowsStored(const DecodedImageStore* store, const DecodedImageKey& key, const std::uint8_t* bytes,
                           std::size_t size, const ImageHeader& header, int rowCount,
                           const std::function<Pixel*(int)>& rowAt, std::string& reason);

// The top `rowCount` rows of the large picture of `key`, straight from a sound entry of
// `store`, mapped (DecodedImageStore::Map); false, `into` left empty, when there is no store
// or entry (then DecodeImageRowsStored reads the file).
bool MapImageStored(const DecodedImageStore* store, const DecodedImageKey& key, const ImageHeader& header, int rowCount,
                    MemoryImage& into);

// The top `rowLimit` rows (at least one) of the picture held for `key`, whatever its size
// (the entry's header, within the limits of every image), into `image`: mapped where that is
// the cheaper way (mapped_file.h), read otherwise. False, `image` left empty, when there is no
// sound entry.
bool LoadImageStored(const DecodedImageStore& store, const DecodedImageKey& key, int rowLimit, Image& image);

// The store LoadImageFileRows uses (image_files.h), for the whole process; none at first.
// Set it before any thread reads image files; an empty folder turns it off.
void UseDecodedImageStore(const std::string& folder);
const DecodedImageStore* ActiveDecodedImageStore();

// The per-user folder for it (user_cache_folder_posix.cpp / _win32.cpp): under
// $XDG_CACHE_HOME (or ~/.cache) on POSIX systems, %LOCALAPPDATA% on Windows; empty when
// there is none.
std::string UserImageCacheFolder();
