// The default template package in the source tree, for the scene tests.
#pragma once

#include <string>

#include "image_files.h"
#include "memory_image.h"

// The package's folder, ending with a separator (a document's appDir).
inline const std::string kPackage = std::string(VANTOREL_SOURCE_DIR) + "/resources/package/";

// A picture of the package's Templates folder; empty when it cannot be read.
inline MemoryImage PackageTemplate(const std::string& name) {
  MemoryImage image;
  LoadImageFile((kPackage + "Templates/" + name).c_str(), image);
  return image;
}
