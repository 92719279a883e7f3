#include "shp_reader.h"

#include <algorithm>
#include <new>

#include "file_class.h"
#include "image_files.h"

namespace {

std::string Number(std::uint64_t value) { return std::to_string(value); }

std::string FrameName(std::size_t index) { return "frame " + Number(index) + ": "; }

bool Fail(std::string& error, const std::string& message) {
  error = message;
  return false;
}

// Walks the compressed lines of one frame, writing pixels to `out` (row stride `stride`)
// when it is not null. Lines shorter than the frame leave the rest of the row as it is.
bool WalkCompressedFrame(const std::uint8_t* data, std::size_t available, int width, int height, std::uint8_t* out,
                         std::size_t stride, std::string& error) {
  std::size_t position = 0;
  for (int row = 0; row < height; ++row) {
    const std::string line = "line " + Number(row) + " ";
    if (available - position < 2) return Fail(error, line + "is cut off by the end of the file");
    const std::size_t length = static_cast<std::size_t>(data[position] | data[position + 1] << 8);
    if (length < 2) return Fail(error, line + "has the impossible length " + Number(length));
    if (length > available - position) return Fail(error, line + "runs past the end of the file");
    const std::size_t end = position + length;
    std::size_t at = position + 2;
    int x = 0;
    while (at < end) {
      const std::uint8_t value = data[at++];
      if (value == 0) {
        if (at >= end) return Fail(error, line + "ends inside a run of zeros");
        const int run = data[at++];
        if (run > width - x) return Fail(error, line + "holds more than the frame's " + Number(width) + " pixels");
        x += run;
      } else {
        if (x >= width) return Fail(error, line + "holds more than the frame's " + Number(width) + " pixels");
        if (out) out[static_cast<std::size_t>(row) * stride + x] = value;
        ++x;
      }
    }
    position = end;
  }
  return true;
}

bool CheckFrame(const std::uint8_t* data, std::size_t size, const ShpFileHeader& header, const ShpFrameHeader& frame,
                std::size_t index, std::string& error) {
  if (frame.dataOffset == 0) return true;  // an empty frame: its other fields mean nothing
  const std::string name = FrameName(index);
  if (std::uint32_t{frame.x} + frame.width > header.width || std::uint32_t{frame.y} + frame.height > header.height)
    return Fail(error, name + "(" + Number(frame.x) + "," + Number(frame.y) + " " + Number(frame.width) + " x " +
                           Number(frame.height) + ") lies outside the " + Number(header.width) + " x " +
                           Number(header.height) + " sprite");
  const std::uint64_t headersEnd = kShpFileHeaderSize + std::uint64_t{header.frameCount} * kShpFrameHeaderSize;
  if (frame.dataOffset < headersEnd)
    return Fail(error, name + "data offset " + Number(frame.dataOffset) + " points into the headers");
  if (frame.dataOffset > size)
    return Fail(error, name + "data offset " + Number(frame.dataOffset) + " lies outside the file (" + Number(size) +
                           " bytes)");
  if (frame.width == 0 || frame.height == 0) return true;
  const std::size_t available = size - frame.dataOffset;
  if (frame.flags & kShpFlagCompressed) {
    std::string reason;
    if (!WalkCompressedFrame(data + frame.dataOffset, available, frame.width, frame.height, nullptr, 0, reason))
      return Fail(error, name + "compressed " + reason);
    return true;
  }
  const std::uint64_t needed = std::uint64_t{frame.width} * frame.height;
  if (needed > available)
    return Fail(error, name + "needs " + Number(needed) + " bytes at offset " + Number(frame.dataOffset) +
                           ", the file has " + Number(available) + " there");
  return true;
}

}  // namespace

bool ReadFileBytes(const char* path, FileBytes& bytes, std::string& error) {
  FileClass file;
  if (!file.SetName(path) || !file.Open(FileClass::kRead))
    return Fail(error, "cannot open the file: " + file.ErrorText());
  const std::uint64_t size = file.GetSize();
  if (size == FileClass::kUnknownSize) return Fail(error, "cannot tell the file's size");
  if (size > kMaxShpFileSize) return Fail(error, "the file is too large (" + Number(size) + " bytes)");
  bytes.data.reset(new (std::nothrow) std::uint8_t[size ? size : 1]);
  if (!bytes.data) return Fail(error, "out of memory for the file");
  bytes.size = static_cast<std::size_t>(size);
  constexpr std::size_t kChunk = std::size_t{1} << 24;
  for (std::size_t done = 0; done < bytes.size;) {
    const std::size_t part = bytes.size - done < kChunk ? bytes.size - done : kChunk;
    if (!file.Read(bytes.data.get() + done, static_cast<std::uint32_t>(part)))
      return Fail(error, "cannot read the file: " + file.ErrorText());
    done += part;
  }
  return true;
}

bool ParseShp(const std::uint8_t* data, std::size_t size, ShpSprite& sprite, std::string& error) {
  if (!data || size < kShpFileHeaderSize)
    return Fail(error, "truncated: " + Number(size) + " bytes, shorter than the 8-byte file header");
  const ShpFileHeader header = DecodeShpFileHeader(data);
  if (header.zero != 0) return Fail(error, "not an SHP sprite: the first field is " + Number(header.zero) + ", not 0");
  const std::string dimensions = Number(header.width) + " x " + Number(header.height);
  if (header.width == 0 || header.height == 0) return Fail(error, "the sprite is " + dimensions);
  if (header.width > kMaxShpSide || header.height > kMaxShpSide)
    return Fail(error, "the sprite is " + dimensions + ", more than " + Number(kMaxShpSide) + " on a side");
  if (header.frameCount == 0) return Fail(error, "the sprite has no frames");
  const std::uint64_t headersEnd = kShpFileHeaderSize + std::uint64_t{header.frameCount} * kShpFrameHeaderSize;
  if (headersEnd > size)
    return Fail(error, "truncated: " + Number(header.frameCount) + " frame headers need " + Number(headersEnd) +
                           " bytes, the file has " + Number(size));
  sprite.header = header;
  sprite.frames.clear();
  sprite.frames.reserve(header.frameCount);
  for (std::size_t i = 0; i < header.frameCount; ++i) {
    const ShpFrameHeader frame = DecodeShpFrameHeader(data + kShpFileHeaderSize + i * kShpFrameHeaderSize);
    if (!CheckFrame(data, size, header, frame, i, error)) return false;
    sprite.frames.push_back(frame);
  }
  return true;
}

bool DecodeShpFrame(const std::uint8_t* data, std::size_t size, const ShpSprite& sprite, std::size_t index,
                    std::uint8_t* canvas, std::string& error) {
  if (index >= sprite.frames.size()) return Fail(error, "there is no frame " + Number(index));
  const std::size_t stride = sprite.header.width;
  std::fill_n(canvas, stride * sprite.header.height, std::uint8_t{0});
  const ShpFrameHeader& frame = sprite.frames[index];
  if (!CheckFrame(data, size, sprite.header, frame, index, error)) return false;
  if (frame.dataOffset == 0 || frame.width == 0 || frame.height == 0) return true;
  std::uint8_t* origin = canvas + frame.y * stride + frame.x;
  const std::uint8_t* source = data + frame.dataOffset;
  if (frame.flags & kShpFlagCompressed) {
    std::string reason;
    if (!WalkCompressedFrame(source, size - frame.dataOffset, frame.width, frame.height, origin, stride, reason))
      return Fail(error, FrameName(index) + "compressed " + reason);
    return true;
  }
  for (std::size_t row = 0; row < frame.height; ++row)
    std::copy_n(source + row * frame.width, frame.width, origin + row * stride);
  return true;
}

bool DecodeShpFrameToImage(const std::uint8_t* data, std::size_t size, const ShpSprite& sprite, std::size_t index,
                           const Palette& palette, MemoryImage& image, std::string& error) {
  const int width = sprite.header.width, height = sprite.header.height;
  const std::size_t pixels = static_cast<std::size_t>(width) * height;
  if (static_cast<long long>(pixels) > kMaxImagePixels)
    return Fail(error, "the " + Number(width) + " x " + Number(height) + " sprite is too large for a picture");
  const long long allowed =
      std::max<long long>(kMinShpPicturePixels, kShpPicturePixelsPerByte * static_cast<long long>(size));
  if (static_cast<long long>(pixels) > allowed)
    return Fail(error, "the " + Number(width) + " x " + Number(height) + " sprite is too large to draw from a " +
                           Number(size) + "-byte file (at most " + Number(static_cast<std::uint64_t>(allowed)) +
                           " pixels)");
  std::unique_ptr<std::uint8_t[]> canvas(new (std::nothrow) std::uint8_t[pixels ? pixels : 1]);
  if (!canvas) return Fail(error, "out of memory for the frame");
  if (!DecodeShpFrame(data, size, sprite, index, canvas.get(), error)) return false;
  if (!image.Create(width, height)) return Fail(error, "out of memory for the picture");
  for (int y = 0; y < height; ++y) {
    Pixel* row = image.GetRow(y);
    const std::uint8_t* indices = canvas.get() + static_cast<std::size_t>(y) * width;
    for (int x = 0; x < width; ++x) {
      const PaletteColour& colour = palette[indices[x]];
      row[x] = MakePixel(colour.red, colour.green, colour.blue);
    }
  }
  return true;
}
