// Shared by the fuzz targets: a private scratch folder for readers that take a path.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

// A folder of its own, made once per process and removed at exit: in memory (/dev/shm)
// where there is one, since a file is written for every input; otherwise under TMPDIR.
inline const std::string& FuzzFolder() {
  // Never destroyed, so the exit handler can still use it.
  static const std::string& folder = *[] {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/vantorel-fuzz-XXXXXX";
    std::string inMemory = "/dev/shm/vantorel-fuzz-XXXXXX";
    const char* made = mkdtemp(inMemory.data());
    if (!made) made = mkdtemp(pattern.data());
    if (!made) std::abort();
    std::atexit([] { std::system(("rm -rf '" + FuzzFolder() + "'").c_str()); });
    return new std::string(made);
  }();
  return folder;
}

// Writes the fuzzer's input to `name` in that folder and returns the path.
inline std::string WriteFuzzFile(const char* name, const std::uint8_t* data, std::size_t size) {
  const std::string path = FuzzFolder() + "/" + name;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) std::abort();
  if (size && std::fwrite(data, 1, size, file) != size) std::abort();
  std::fclose(file);
  return path;
}
