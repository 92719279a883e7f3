// One check per format for CheckImageBytes (image_decoder.h), each in its own file. A check
// fills the header's width and height and returns false with a reason for anything the
// decoder must not be trusted with. The size limits are checked afterwards, in one place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "image_header.h"

// Bounded little- and big-endian reads for the checks.
class ByteView {
 public:
  ByteView(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::size_t size() const { return size_; }
  // True when `count` bytes from `at` lie inside the data.
  bool Has(std::size_t at, std::size_t count) const { return at <= size_ && count <= size_ - at; }
  std::uint8_t At(std::size_t at) const { return data_[at]; }
  std::uint32_t Le16(std::size_t at) const { return data_[at] | data_[at + 1] << 8; }
  std::uint32_t Le32(std::size_t at) const { return Le16(at) | Le16(at + 2) << 16; }
  std::uint32_t Be16(std::size_t at) const { return data_[at] << 8 | data_[at + 1]; }
  std::uint32_t Be32(std::size_t at) const { return Be16(at) << 16 | Be16(at + 2); }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

inline constexpr char kTruncated[] = "the file is truncated";

bool CheckPng(const ByteView& bytes, ImageHeader& header, std::string& reason);
bool CheckJpeg(const ByteView& bytes, ImageHeader& header, std::string& reason);
bool CheckBmp(const ByteView& bytes, ImageHeader& header, std::string& reason);
bool CheckTga(const ByteView& bytes, ImageHeader& header, std::string& reason);
bool CheckGif(const ByteView& bytes, ImageHeader& header, std::string& reason);

// "its N bytes of image data cannot hold a W x H image": for declared sizes that no data of
// that length could describe.
std::string CannotHold(std::size_t bytes, long long width, long long height);
// True when the sizes are within kMaxImageSide and kMaxImagePixels; otherwise false with
// the reason. Checks call it before they compute with the sizes.
bool WithinImageLimits(long long width, long long height, std::string& reason);
