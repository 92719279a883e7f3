#include "image_files.h"

#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "image_lib.h"
#include "replace_file.h"

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

bool LoadImageFile(const char* path, Image& image) {
  ImageSize size{};
  if (!ImageGetSize(path, &size)) return false;
  // Refused before allocating, so a crafted header cannot exhaust memory.
  if (size.width <= 0 || size.height <= 0 || size.width > kMaxImageSide || size.height > kMaxImageSide ||
      static_cast<long long>(size.width) * size.height > kMaxImagePixels)
    return false;
  const std::size_t count = static_cast<std::size_t>(size.width) * size.height;
  Pixel* buffer = new (std::nothrow) Pixel[count];
  if (!buffer) return false;
  bool ok = ImageLoad(path, buffer, size.width, size.height) != 0;
  if (ok && !image.Create(size.width, size.height)) {
    image.Free();
    ok = false;
  }
  if (ok)
    for (int y = 0; y < size.height; ++y)
      std::memcpy(image.GetRow(y), buffer + static_cast<std::size_t>(y) * size.width, static_cast<std::size_t>(size.width) * 4);
  delete[] buffer;
  return ok;
}

int SaveImageFile(const char* path, const Image& image) {
  if (!path || !image.valid || image.width <= 0 || image.height <= 0) return 0;
  const std::size_t count = static_cast<std::size_t>(image.width) * image.height;
  Pixel* buffer = new (std::nothrow) Pixel[count];
  if (!buffer) return 0;
  for (int y = 0; y < image.height; ++y)
    std::memcpy(buffer + static_cast<std::size_t>(y) * image.width, image.GetRow(y), static_cast<std::size_t>(image.width) * 4);
  const std::string target = path;
  const std::string temp = TempPathBeside(target, FileExtension(target));
  int result = ImageSave(temp.c_str(), buffer, image.width, image.height);
  delete[] buffer;
  if (result && !ReplaceFileWith(temp, target)) result = 0;
  if (!result) RemoveFileQuietly(temp);
  return result;
}

bool EncodeImageFile(const char* formatPath, const Image& image, std::vector<unsigned char>& bytes) {
  bytes.clear();
  if (!formatPath || !image.valid || image.width <= 0 || image.height <= 0) return false;
  const std::unique_ptr<Pixel[]> pixels(new (std::nothrow) Pixel[static_cast<std::size_t>(image.width) * image.height]);
  if (!pixels) return false;
  for (int y = 0; y < image.height; ++y)
    std::memcpy(pixels.get() + static_cast<std::size_t>(y) * image.width, image.GetRow(y),
                static_cast<std::size_t>(image.width) * 4);
  return ImageEncode(formatPath, pixels.get(), image.width, image.height, bytes) != 0;
}
