#include "mix_export.h"

#include <cstdio>
#include <filesystem>
#include <random>

#include "load_screen_document.h"
#include "mix_name_id.h"

namespace fs = std::filesystem;

std::string FileNameOf(const std::string& path) { return fs::path(path).filename().string(); }

MixExport::~MixExport() {
  if (scratch_.empty()) return;
  std::error_code ignored;
  fs::remove_all(scratch_, ignored);
}

bool MixExport::Begin(const std::string& mixPath, bool scratch, std::string& error) {
  mixPath_ = mixPath;
  std::error_code code;
  if (fs::exists(mixPath, code)) {
    std::vector<std::uint8_t> bytes;
    MixIndex index;
    if (!ReadMixFile(mixPath, bytes, index, error)) return false;
  }
  if (!scratch) return true;
  std::random_device random;
  const fs::path folder = fs::temp_directory_path(code) / ("vantorel-mix-" + std::to_string(random()));
  if (code || !fs::create_directories(folder, code)) {
    error = "cannot make a scratch folder for the export (" + code.message() + ")";
    return false;
  }
  scratch_ = folder.string();
  return true;
}

bool MixExport::Add(const std::string& name, const std::string& path, std::string& error) {
  MixInput input;
  if (!ReadMixInput(path, input, error)) return false;
  input.name = name;
  std::lock_guard<std::mutex> lock(mutex_);
  // One palette shared by a batch is packed once.
  for (const MixInput& earlier : inputs_)
    if (earlier.source == input.source) return true;
  inputs_.push_back(std::move(input));
  return true;
}

bool MixExport::Finish(std::string& error) {
  if (inputs_.empty()) return true;
  std::error_code code;
  const bool exists = fs::exists(mixPath_, code);
  MixPackSummary summary;
  if (!PackMix(mixPath_, exists ? mixPath_ : "", inputs_, error, &summary)) return false;
  std::string names;
  for (const MixInput& input : inputs_) names += (names.empty() ? "" : ", ") + UpperCaseName(input.name);
  std::printf("packed %s into %s (%s added, %s replaced)\n", names.c_str(), mixPath_.c_str(),
              std::to_string(summary.added).c_str(), std::to_string(summary.replaced).c_str());
  return true;
}

void PrintMissionLines(const std::string& mission, const std::string& shpName, const std::string& palName) {
  const std::string shp = UpperCaseName(shpName), pal = UpperCaseName(palName);
  for (const std::string& name : {shp, pal})
    if (!FitsEightDotThree(name))
      std::fprintf(stderr, "vantorel: warning: %s is longer than the game's 8.3 file names\n", name.c_str());
  std::printf("[%s]\nLS800BkgdName=%s\nLS800BkgdPal=%s\n", mission.c_str(), shp.c_str(), pal.c_str());
}
