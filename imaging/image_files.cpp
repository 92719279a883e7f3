#include "image_files.h"

#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "image_lib.h"

char ImageFilter[kImageFilterSize];

void BuildImageFilter(char* out, const char* patterns) {
  static const char kAllFiles[] = "All files (*.*)\0*.*\0";  // plus the literal's own NUL
  std::memset(out, 0, kImageFilterSize);
  const std::size_t p = patterns ? std::strlen(patterns) : 0;
  // "Image files:(" P ")" NUL P NUL, then the All files pair and the closing NUL:
  // 37 + 2 P bytes in all.
  if (p == 0 || 37 + 2 * p > kImageFilterSize) {
    std::memcpy(out, kAllFiles, sizeof kAllFiles);
    return;
  }
  char* at = out;
  auto put = [&at](const char* text, std::size_t n) { std::memcpy(at, text, n); at += n; };
  put("Image files:(", 13);
  put(patterns, p);
  put(")", 2);  // with its NUL
  put(patterns, p);
  ++at;  // NUL
  put(kAllFiles, sizeof kAllFiles);
}

bool InitImageFiles() {
  if (!ImageInit()) return false;
  BuildImageFilter(ImageFilter, ImageOpenFilterStr());
  return true;
}

bool LoadImageFile(const char* path, Image& image, std::string& reason) {
  std::vector<std::uint8_t> bytes;
  ImageHeader header;
  if (!ReadImageBytes(path, bytes, header, reason)) return false;
  // The header has been checked against the limits, so this allocation is bounded.
  const std::size_t count = static_cast<std::size_t>(header.width) * header.height;
  std::unique_ptr<Pixel[]> buffer(new (std::nothrow) Pixel[count]);
  if (!buffer) return reason = "out of memory for the picture", false;
  if (!DecodeImageBytes(bytes.data(), bytes.size(), header, buffer.get(), reason)) return false;
  bytes = {};
  if (!image.Create(header.width, header.height)) {
    image.Free();
    return reason = "out of memory for the picture", false;
  }
  for (int y = 0; y < header.height; ++y)
    std::memcpy(image.GetRow(y), buffer.get() + static_cast<std::size_t>(y) * header.width,
                static_cast<std::size_t>(header.width) * 4);
  return true;
}

bool LoadImageFile(const char* path, Image& image) {
  std::string ignored;
  return LoadImageFile(path, image, ignored);
}

int SaveImageFile(const char* path, const Image& image, std::string& reason) {
  if (!image.valid || image.width <= 0 || image.height <= 0) return reason = "there is no picture to write", 0;
  const auto row = [&image](int y) -> const Pixel* { return image.GetRow(y); };
  return WriteImageRows(path, image.width, image.height, row, reason) ? 1 : 0;
}

int SaveImageFile(const char* path, const Image& image) {
  std::string ignored;
  return SaveImageFile(path, image, ignored);
}
