// MappedFile: a file's content in memory through the system's file mapping, copy-on-write:
// the pages are the system's cached pages of the file, brought in as they are first read,
// and a write changes this process's copy of a page, never the file.
//
// Reading a cached picture this way costs neither the copy out of the system's cache nor
// the first touch of fresh memory for it (under Wine some 15 us a page). The picture cache
// only ever replaces its files whole, by renaming; should another process shorten a mapped
// file all the same, reading where it has gone gives zeros instead of stopping the process
// (mapped_views.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// Whether a picture cache should read through a mapping rather than copy. On Windows (and
// under Wine) fresh memory is touched page by page at some 15 us a page, so mapping wins;
// the POSIX build's heap gets huge pages, and the copy is the cheaper there.
extern const bool kMappingBeatsCopying;

class MappedFile {
 public:
  // The whole file mapped; null when it cannot be opened (only a regular file is: see
  // OpenRegularFile) or mapped, or is empty.
  static std::shared_ptr<MappedFile> Open(const std::string& path);
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  std::uint8_t* data() const { return data_; }
  std::size_t size() const { return size_; }

 private:
  MappedFile(std::uint8_t* data, std::size_t size, int slot) : data_(data), size_(size), slot_(slot) {}
  std::uint8_t* data_;
  std::size_t size_;
  int slot_;  // in mapped_views
};
