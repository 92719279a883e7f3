#include "image_header.h"

const char* ImageFormatName(ImageFormat format) {
  switch (format) {
    case ImageFormat::Png: return "PNG";
    case ImageFormat::Bmp: return "BMP";
    case ImageFormat::Gif: return "GIF";
    case ImageFormat::Jpeg: return "JPEG";
    case ImageFormat::Tga: return "TGA";
    case ImageFormat::Unknown: break;
  }
  return "unknown";
}
