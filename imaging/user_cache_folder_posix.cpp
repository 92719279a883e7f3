// The per-user image cache folder on POSIX systems, as the XDG base directory rules place
// caches: $XDG_CACHE_HOME when it is an absolute path, otherwise ~/.cache.
#include <cstdlib>
#include <string>

#include "decoded_image_store.h"

std::string UserImageCacheFolder() {
  const char* cacheHome = std::getenv("XDG_CACHE_HOME");
  if (cacheHome && cacheHome[0] == '/') return std::string(cacheHome) + "/vantorel/images";
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return std::string(home) + "/.cache/vantorel/images";
  return {};
}
