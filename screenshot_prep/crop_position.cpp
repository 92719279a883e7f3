#include "crop_position.h"

#include <cmath>
#include <cstdint>

namespace {

// Clamps a signed position; room = sourceSize - cropSize, computed in 64 bits.
int ClampToRoom(long long position, long long room) {
  if (position < 0 || room <= 0) return 0;
  if (position >= room) return static_cast<int>(room - 1);
  return static_cast<int>(position);
}

}  // namespace

CropRange CropUpDownRange(int sourceSize, int cropSize) {
  const long long room = static_cast<long long>(sourceSize) - cropSize;
  return CropRange{0, room > 0 ? static_cast<int>(room) : 0};
}

int ClampCropPosition(std::uint32_t value, int sourceSize, int cropSize) {
  // The field is read unsigned; a huge value is a negative one typed or pasted in.
  const std::int32_t position = static_cast<std::int32_t>(value);
  return ClampToRoom(position, static_cast<long long>(sourceSize) - cropSize);
}

int CropPositionFromClick(int mouse, int clientSize, int sourceSize, int cropSize) {
  if (clientSize <= 0 || sourceSize <= 0) return 0;
  const double scale = static_cast<double>(clientSize) / sourceSize;
  const double centred = mouse / scale - (cropSize / 2);
  // Truncated toward zero; kept within long long first so the conversion is defined.
  const double bounded = std::fmax(-1e18, std::fmin(1e18, std::trunc(centred)));
  return ClampToRoom(static_cast<long long>(bounded), static_cast<long long>(sourceSize) - cropSize);
}
