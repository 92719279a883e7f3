// The per-user image cache folder on Windows: in the user's local (not roaming) application
// data, where caches belong.
#include <windows.h>

#include <string>

#include "decoded_image_store.h"

std::string UserImageCacheFolder() {
  char folder[MAX_PATH];
  const DWORD length = GetEnvironmentVariableA("LOCALAPPDATA", folder, sizeof folder);
  if (length == 0 || length >= sizeof folder) return {};
  return std::string(folder, length) + "\\Vantorel\\ImageCache";
}
