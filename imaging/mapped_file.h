// MappedFile: a file's content in memory through the system's file mapping, copy-on-write:
// the pages are the system's cached pages of the file, brought in as they are first read,
// and a write changes this process's copy of a page, never the file.
//
// Reading a cached picture this way costs neither the copy out of the system's cache nor
// the first touch of fresh memory for it (under Wine some 15 us a page). The file must not
// be shortened while it is mapped (reading past its new end would stop the process); the
// picture cache only ever replaces its files whole, by renaming.
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
  // The whole file mapped; null when it cannot be opened or mapped, or is empty.
  static std::shared_ptr<MappedFile> Open(const std::string& path);
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  std::uint8_t* data() const { return data_; }
  std::size_t size() const { return size_; }

 private:
  MappedFile(std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint8_t* data_;
  std::size_t size_;
};
