#include "image_lib.h"

#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "replace_file.h"

namespace {

// RGBA bytes to 0x00RRGGBB (alpha dropped).
void RgbaToPixels(const unsigned char* rgba, Pixel* pixels, size_t count) {
  for (size_t i = 0; i < count; ++i, rgba += 4) pixels[i] = MakePixel(rgba[0], rgba[1], rgba[2]);
}

std::string LowerExtension(const char* path) {
  std::string ext = FileExtension(path);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

enum class SaveFormat { None, Png, Bmp, Tga, Jpeg };

// The one place that maps a file name's extension to the format it is written in.
SaveFormat SaveFormatOf(const char* path) {
  const std::string ext = LowerExtension(path);
  if (ext == ".png") return SaveFormat::Png;
  if (ext == ".bmp") return SaveFormat::Bmp;
  if (ext == ".tga") return SaveFormat::Tga;
  if (ext == ".jpg" || ext == ".jpeg") return SaveFormat::Jpeg;
  return SaveFormat::None;
}

void AppendBytes(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<unsigned char>*>(context);
  const auto* bytes = static_cast<const unsigned char*>(data);
  out->insert(out->end(), bytes, bytes + size);
}

// Writes all bytes and closes; removes the file when anything failed.
bool WriteWholeFile(const char* path, const std::vector<unsigned char>& bytes) {
  FILE* file = std::fopen(path, "wb");
  if (!file) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = std::fflush(file) == 0 && ok;
  ok = std::fclose(file) == 0 && ok;
  if (!ok) std::remove(path);
  return ok;
}

}  // namespace

int ImageInit() { return 1; }
void ImageUnInit() {}

const char* ImageOpenFilterStr() { return "*.png;*.bmp;*.jpg;*.jpeg;*.tga;*.gif"; }

int ImageGetSize(const char* path, ImageSize* size) {
  if (!path || !size) return 0;
  int w = 0, h = 0, components = 0;
  if (!stbi_info(path, &w, &h, &components)) return 0;
  size->width = w;
  size->height = h;
  return 1;
}

int ImageLoad(const char* path, Pixel* pixels, int width, int height) {
  if (!path || !pixels || width <= 0 || height <= 0) return 0;
  // Check the header again before decoding: a file that was replaced since ImageGetSize
  // must not decode into a buffer sized for the old one.
  ImageSize now{};
  if (!ImageGetSize(path, &now) || now.width != width || now.height != height) return 0;
  int w = 0, h = 0, components = 0;
  unsigned char* rgba = stbi_load(path, &w, &h, &components, 4);
  if (!rgba) return 0;
  const bool same = w == width && h == height;
  if (same) RgbaToPixels(rgba, pixels, static_cast<size_t>(w) * h);
  stbi_image_free(rgba);
  return same ? 1 : 0;
}

int ImageCanSave(const char* path) { return path && SaveFormatOf(path) != SaveFormat::None ? 1 : 0; }

int ImageEncode(const char* path, const Pixel* pixels, int width, int height, std::vector<unsigned char>& bytes) {
  bytes.clear();
  if (!path || !pixels || width <= 0 || height <= 0) return 0;
  const SaveFormat format = SaveFormatOf(path);
  if (format == SaveFormat::None) return 0;
  std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
  for (size_t i = 0, n = static_cast<size_t>(width) * height; i < n; ++i) {
    rgb[i * 3] = static_cast<unsigned char>(RedOf(pixels[i]));
    rgb[i * 3 + 1] = static_cast<unsigned char>(GreenOf(pixels[i]));
    rgb[i * 3 + 2] = static_cast<unsigned char>(BlueOf(pixels[i]));
  }
  int ok = 0;
  switch (format) {
    case SaveFormat::Png: ok = stbi_write_png_to_func(AppendBytes, &bytes, width, height, 3, rgb.data(), width * 3); break;
    case SaveFormat::Bmp: ok = stbi_write_bmp_to_func(AppendBytes, &bytes, width, height, 3, rgb.data()); break;
    case SaveFormat::Tga: ok = stbi_write_tga_to_func(AppendBytes, &bytes, width, height, 3, rgb.data()); break;
    case SaveFormat::Jpeg: ok = stbi_write_jpg_to_func(AppendBytes, &bytes, width, height, 3, rgb.data(), 95); break;
    case SaveFormat::None: break;
  }
  return ok && !bytes.empty() ? 1 : 0;
}

int ImageSave(const char* path, const Pixel* pixels, int width, int height) {
  std::vector<unsigned char> encoded;
  if (!ImageEncode(path, pixels, width, height, encoded)) return 0;
  return WriteWholeFile(path, encoded) ? 1 : 0;
}
