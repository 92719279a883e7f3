#include "mix_scratch_folder.h"

#include <filesystem>
#include <random>
#include <vector>

#include "replacement_system.h"

namespace fs = std::filesystem;

namespace {

constexpr char kPrefix[] = "vantorel-mix-";

bool AllDigits(const std::string& text) {
  return !text.empty() && text.size() <= 10 && text.find_first_not_of("0123456789") == std::string::npos;
}

void RemoveLeftovers(const fs::path& temporary) {
  std::error_code error;
  std::vector<fs::path> leftovers;
  for (fs::directory_iterator it(temporary, error), end; !error && it != end; it.increment(error)) {
    unsigned long owner = 0;
    if (!IsMixScratchFolderName(it->path().filename().string(), owner)) continue;
    if (owner == replacement_system::CurrentProcessId() || replacement_system::ProcessIsRunning(owner)) continue;
    std::error_code typeError;
    if (it->is_directory(typeError) && !it->is_symlink(typeError)) leftovers.push_back(it->path());
  }
  for (const fs::path& folder : leftovers) fs::remove_all(folder, error);
}

}  // namespace

bool IsMixScratchFolderName(const std::string& name, unsigned long& owner) {
  const std::string prefix = kPrefix;
  if (name.compare(0, prefix.size(), prefix) != 0) return false;
  const std::string rest = name.substr(prefix.size());
  const std::size_t dash = rest.find('-');
  if (dash == std::string::npos || !AllDigits(rest.substr(0, dash)) || !AllDigits(rest.substr(dash + 1))) return false;
  owner = std::stoul(rest.substr(0, dash));
  return true;
}

MixScratchFolder::~MixScratchFolder() {
  if (path_.empty()) return;
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

bool MixScratchFolder::Make(std::string& error) {
  std::error_code code;
  const fs::path temporary = fs::temp_directory_path(code);
  if (code) {
    error = "cannot find the temporary folder for the export (" + code.message() + ")";
    return false;
  }
  RemoveLeftovers(temporary);
  std::random_device random;
  const std::string owner = std::to_string(replacement_system::CurrentProcessId());
  for (int attempt = 0; attempt < 8; ++attempt) {
    const fs::path folder = temporary / (kPrefix + owner + "-" + std::to_string(random() % 1000000000u));
    if (fs::create_directory(folder, code)) {
      path_ = folder.string();
      return true;
    }
    if (code) break;
  }
  error = "cannot make a folder for the export in " + temporary.string() + " (" +
          (code ? code.message() : std::string("every name tried is taken")) + ")";
  return false;
}
