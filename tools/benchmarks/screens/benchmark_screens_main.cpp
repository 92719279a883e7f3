// benchmark_screens FOLDER: writes the benchmark screens (see benchmark_screens.h) into
// FOLDER and prints one line per screen: name, package folder, scene file.
#include <cstdio>

#include "benchmark_screens.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: benchmark_screens FOLDER\n");
    return 2;
  }
  InitImageFiles();
  const auto screens =
      benchmark_screens::WriteScreens(std::string(VANTOREL_SOURCE_DIR) + "/resources/package", argv[1]);
  if (screens.empty()) {
    std::fprintf(stderr, "benchmark_screens: cannot write the screens into %s\n", argv[1]);
    return 1;
  }
  for (const auto& screen : screens)
    std::printf("%s %s %s\n", screen.name.c_str(), screen.package.c_str(), screen.scene.c_str());
  return 0;
}
