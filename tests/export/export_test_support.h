// Helpers for the export tests: a scratch folder, whole-file reads and writes, and the
// listing of a folder (to prove that no temporary file is left behind).
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "temp_folder.h"

using Bytes = std::vector<std::uint8_t>;

// The export tests' scratch folder is the shared test folder.
using ScratchFolder = TempFolder;

inline Bytes ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool FileExists(const std::string& path) { return std::filesystem::exists(path); }

inline std::uint32_t Le16(const Bytes& bytes, std::size_t at) { return bytes[at] | bytes[at + 1] << 8; }
inline std::uint32_t Le32(const Bytes& bytes, std::size_t at) { return Le16(bytes, at) | Le16(bytes, at + 2) << 16; }
