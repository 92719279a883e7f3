#include "image_lib.h"

#include <stb/stb_image_write.h>

#include <cctype>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>

#include "file_replacement.h"
#include "read_file.h"

namespace {

std::string LowerExtension(const char* path) {
  std::string ext = std::filesystem::path(path).extension().string();
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

enum class SaveFormat { None, Png, Bmp, Tga, Jpeg, Gif };

GifEncoder gifEncoder = nullptr;

// The one place that maps a file name's extension to the format it is written in.
SaveFormat SaveFormatOf(const char* path) {
  const std::string ext = LowerExtension(path);
  if (ext == ".png") return SaveFormat::Png;
  if (ext == ".bmp") return SaveFormat::Bmp;
  if (ext == ".tga") return SaveFormat::Tga;
  if (ext == ".jpg" || ext == ".jpeg") return SaveFormat::Jpeg;
  if (ext == ".gif" && gifEncoder) return SaveFormat::Gif;
  return SaveFormat::None;
}

// The rows as packed 8-bit RGB, the layout the encoders take; empty when out of memory.
std::unique_ptr<unsigned char[]> PackedRgb(int width, int height, const std::function<const Pixel*(int)>& row) {
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
  std::unique_ptr<unsigned char[]> rgb(new (std::nothrow) unsigned char[rowBytes * height]);
  if (!rgb) return rgb;
  for (int y = 0; y < height; ++y) {
    const Pixel* pixels = row(y);
    unsigned char* out = rgb.get() + rowBytes * y;
    for (int x = 0; x < width; ++x, out += 3) {
      out[0] = static_cast<unsigned char>(RedOf(pixels[x]));
      out[1] = static_cast<unsigned char>(GreenOf(pixels[x]));
      out[2] = static_cast<unsigned char>(BlueOf(pixels[x]));
    }
  }
  return rgb;
}

// Encodes packed RGB rows in `format`, handing the bytes to `write`; 0 when encoding failed.
int EncodeRgb(SaveFormat format, int width, int height, const unsigned char* rgb, stbi_write_func* write,
              void* context) {
  switch (format) {
    case SaveFormat::Png: return stbi_write_png_to_func(write, context, width, height, 3, rgb, width * 3);
    case SaveFormat::Bmp: return stbi_write_bmp_to_func(write, context, width, height, 3, rgb);
    case SaveFormat::Tga: return stbi_write_tga_to_func(write, context, width, height, 3, rgb);
    case SaveFormat::Jpeg: return stbi_write_jpg_to_func(write, context, width, height, 3, rgb, 95);
    case SaveFormat::Gif: {
      std::vector<unsigned char> bytes;
      if (!gifEncoder(width, height, rgb, bytes) || bytes.empty()) return 0;
      // One piece: the writers take sizes of up to 2 GiB, far beyond an 800 x 520 GIF.
      write(context, bytes.data(), static_cast<int>(bytes.size()));
      return 1;
    }
    case SaveFormat::None: break;
  }
  return 0;
}

void AppendBytes(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<unsigned char>*>(context);
  const auto* bytes = static_cast<const unsigned char*>(data);
  out->insert(out->end(), bytes, bytes + size);
}

// Collects the encoder's output in large pieces and writes them to the new file; the
// encoder cannot be told of a failure, so the first one is kept and later output ignored.
class EncodedOutput {
 public:
  explicit EncodedOutput(FileReplacement& file) : file_(file) {}
  static void Append(void* context, void* data, int size) {
    static_cast<EncodedOutput*>(context)->Add(static_cast<const unsigned char*>(data), static_cast<std::size_t>(size));
  }
  void Add(const unsigned char* data, std::size_t size) {
    if (!ok_) return;
    written_ += size;
    if (buffer_.size() + size > kBufferSize) Flush();
    if (size >= kBufferSize) {
      ok_ = file_.Write(data, size, reason_);
      return;
    }
    buffer_.insert(buffer_.end(), data, data + size);
  }
  bool Finish(std::string& reason) {
    Flush();
    if (ok_ && written_ == 0) ok_ = (reason_ = "the encoder produced nothing", false);
    if (ok_) ok_ = file_.Finish(reason_);
    reason = reason_;
    return ok_;
  }

 private:
  static constexpr std::size_t kBufferSize = 1 << 16;
  void Flush() {
    if (ok_ && !buffer_.empty()) ok_ = file_.Write(buffer_.data(), buffer_.size(), reason_);
    buffer_.clear();
  }
  FileReplacement& file_;
  std::vector<unsigned char> buffer_;
  std::size_t written_ = 0;
  bool ok_ = true;
  std::string reason_;
};

}  // namespace

int ImageInit() { return 1; }
void ImageUnInit() {}

const char* ImageOpenFilterStr() { return "*.png;*.bmp;*.jpg;*.jpeg;*.tga;*.gif"; }

bool ReadImageBytes(const char* path, std::vector<std::uint8_t>& bytes, ImageHeader& header, std::string& reason) {
  if (!path) return reason = "no file name", false;
  return ReadFileContents(path, kMaxImageFileSize, bytes, reason) &&
         CheckImageBytes(bytes.data(), bytes.size(), header, reason);
}

int ImageGetSize(const char* path, ImageSize* size) {
  std::vector<std::uint8_t> bytes;
  ImageHeader header;
  std::string reason;
  if (!size || !ReadImageBytes(path, bytes, header, reason)) return 0;
  size->width = header.width;
  size->height = header.height;
  return 1;
}

int ImageLoad(const char* path, Pixel* pixels, int width, int height) {
  std::vector<std::uint8_t> bytes;
  ImageHeader header;
  std::string reason;
  if (!pixels || !ReadImageBytes(path, bytes, header, reason)) return 0;
  // A file replaced since ImageGetSize must not decode into a buffer sized for the old one.
  if (header.width != width || header.height != height) return 0;
  return DecodeImageBytes(bytes.data(), bytes.size(), header, pixels, reason) ? 1 : 0;
}

void SetGifEncoder(GifEncoder encoder) { gifEncoder = encoder; }

int ImageCanSave(const char* path) { return path && SaveFormatOf(path) != SaveFormat::None ? 1 : 0; }

std::string ImageSaveProblem(const char* path) {
  if (!path) return "no file name";
  if (std::string problem = FileReplacement(path).TargetProblem(); !problem.empty()) return problem;
  if (ImageCanSave(path)) return {};
  const std::string ext = path ? LowerExtension(path) : std::string();
  return (ext.empty() ? std::string("no file extension") : "unsupported format '" + ext + "'") +
         (gifEncoder ? " (use .png, .bmp, .tga, .jpg or .gif)" : " (use .png, .bmp, .tga or .jpg)");
}

bool WriteImageRows(const char* path, int width, int height, const std::function<const Pixel*(int)>& row,
                    std::string& reason) {
  if (!path || width <= 0 || height <= 0) return reason = "there is no picture to write", false;
  if (reason = ImageSaveProblem(path); !reason.empty()) return false;
  const SaveFormat format = SaveFormatOf(path);
  FileReplacement file(path);
  std::unique_ptr<unsigned char[]> rgb = PackedRgb(width, height, row);
  if (!rgb) return reason = "out of memory for the picture", false;
  bool ok = file.Create(reason);
  if (ok) {
    EncodedOutput output(file);
    const int encoded = EncodeRgb(format, width, height, rgb.get(), EncodedOutput::Append, &output);
    rgb.reset();
    if (!encoded) ok = (reason = "the picture could not be encoded", false);
    if (ok) ok = output.Finish(reason);
  }
  return ok && CommitReplacement(file, reason);
}

bool EncodeImageRows(const char* path, int width, int height, const std::function<const Pixel*(int)>& row,
                     std::vector<unsigned char>& bytes) {
  bytes.clear();
  if (!path || width <= 0 || height <= 0) return false;
  const SaveFormat format = SaveFormatOf(path);
  if (format == SaveFormat::None) return false;
  std::unique_ptr<unsigned char[]> rgb = PackedRgb(width, height, row);
  return rgb && EncodeRgb(format, width, height, rgb.get(), AppendBytes, &bytes) && !bytes.empty();
}

int ImageSave(const char* path, const Pixel* pixels, int width, int height) {
  if (!pixels) return 0;
  std::string reason;
  const auto row = [&](int y) { return pixels + static_cast<std::size_t>(y) * width; };
  return WriteImageRows(path, width, height, row, reason) ? 1 : 0;
}
