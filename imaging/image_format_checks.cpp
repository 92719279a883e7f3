#include "image_format_checks.h"

std::string CannotHold(std::size_t bytes, long long width, long long height) {
  return "its " + std::to_string(bytes) + " bytes of image data cannot hold a " + std::to_string(width) + " x " +
         std::to_string(height) + " image";
}

bool WithinImageLimits(long long width, long long height, std::string& reason) {
  if (width > kMaxImageSide || height > kMaxImageSide || width * height > kMaxImagePixels) {
    reason = "the image is " + std::to_string(width) + " x " + std::to_string(height) + " pixels, more than the " +
             std::to_string(kMaxImageSide) + " on a side and " + std::to_string(kMaxImagePixels) +
             " in all that are allowed";
    return false;
  }
  return true;
}
