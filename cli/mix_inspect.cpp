#include "mix_inspect.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>

#include "command_line.h"
#include "mix_database.h"
#include "mix_name_id.h"
#include "mix_packing.h"

namespace fs = std::filesystem;

namespace {

void Know(std::map<std::uint32_t, std::string>& known, const std::string& name) {
  if (MixNameProblem(name).empty()) known.emplace(MixNameId(name), UpperCaseName(name));
}

std::map<std::uint32_t, std::string> KnownNames(const std::string& path, const std::string* names) {
  std::map<std::uint32_t, std::string> known;
  if (names)
    for (std::size_t start = 0; start <= names->size();) {
      const std::size_t comma = std::min(names->find(',', start), names->size());
      Know(known, names->substr(start, comma - start));
      start = comma + 1;
    }
  std::error_code code;
  fs::path folder = fs::path(path).parent_path();
  if (folder.empty()) folder = ".";
  for (fs::directory_iterator it(folder, code), end; !code && it != end; it.increment(code))
    Know(known, it->path().filename().string());
  return known;
}

}  // namespace

bool IsMixPath(const std::string& path) {
  std::string extension = fs::path(path).extension().string();
  for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return extension == ".mix";
}

int InspectMix(const std::string& path, const std::string* names) {
  std::vector<std::uint8_t> bytes;
  MixIndex index;
  std::string error;
  if (!ReadMixFile(path, bytes, index, error)) return Failure(error);
  std::map<std::uint32_t, std::string> known = KnownNames(path, names);
  // The archive's own list names its members first.
  for (const MixEntry& entry : index.entries) {
    if (entry.id != kMixDatabaseId) continue;
    std::vector<std::string> listed;
    if (!ReadMixDatabase(bytes.data() + index.bodyStart + entry.offset, entry.size, listed, error))
      Warning(path + ": " + error);
    for (const std::string& name : listed)
      if (MixNameProblem(name).empty()) known[MixNameId(name)] = UpperCaseName(name);
  }
  std::printf("%s: MIX, %s file%s, body %s bytes%s\n", path.c_str(), std::to_string(index.entries.size()).c_str(),
              index.entries.size() == 1 ? "" : "s", std::to_string(index.bodySize).c_str(),
              index.olderLayout                ? ", older layout"
              : index.flags & kMixFlagChecksum ? ", with checksum"
                                               : "");
  for (const MixEntry& entry : index.entries) {
    const auto name = known.find(entry.id);
    std::printf("%s  offset %10u  size %10u  %s\n", MixIdText(entry.id).c_str(), static_cast<unsigned>(entry.offset),
                static_cast<unsigned>(entry.size), name == known.end() ? "?" : name->second.c_str());
  }
  return 0;
}
