#include "mix_packing.h"

#include <cstdio>
#include <filesystem>
#include <map>

#include "file_replacement.h"
#include "mix_name_id.h"
#include "read_file.h"

std::string MixIdText(std::uint32_t id) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(id));
  return text;
}

bool ReadMixInput(const std::string& path, MixInput& input, std::string& error) {
  input = MixInput{};
  input.source = path;
  input.name = std::filesystem::path(path).filename().string();
  if (const std::string problem = MixNameProblem(input.name); !problem.empty()) {
    error = path + ": " + problem;
    return false;
  }
  std::string reason;
  if (!ReadFileContents(path, kMaxMixFileBytes, input.bytes, reason)) {
    error = path + ": cannot read the file (" + reason + ")";
    return false;
  }
  return true;
}

bool ReadMixFile(const std::string& path, std::vector<std::uint8_t>& bytes, MixIndex& index, std::string& error,
                 bool* encrypted) {
  if (encrypted) *encrypted = false;
  std::string reason;
  if (!ReadFileContents(path, kMaxMixFileBytes, bytes, reason)) {
    error = path + ": cannot read the MIX file (" + reason + ")";
    return false;
  }
  const MixReadStatus status = ReadMixIndex(bytes.data(), bytes.size(), index, reason);
  if (status == MixReadStatus::kOk) return true;
  if (encrypted) *encrypted = status == MixReadStatus::kEncrypted;
  error = path + ": " + reason;
  return false;
}

bool PackMix(const std::string& target, const std::string& addTo, const std::vector<MixInput>& inputs,
             std::string& error, MixPackSummary* summary) {
  MixPackSummary counts;
  std::map<std::uint32_t, const MixInput*> byId;
  for (const MixInput& input : inputs) {
    if (const std::string problem = MixNameProblem(input.name); !problem.empty()) {
      error = input.source + ": " + problem;
      return false;
    }
    const auto [at, fresh] = byId.emplace(MixNameId(input.name), &input);
    if (!fresh) {
      error = at->second->source + " and " + input.source + " have the same MIX id " + MixIdText(at->first);
      return false;
    }
  }

  std::vector<MixMember> members;
  if (!addTo.empty()) {
    std::vector<std::uint8_t> old;
    MixIndex index;
    if (!ReadMixFile(addTo, old, index, error)) return false;
    for (const MixEntry& entry : index.entries) {
      if (byId.count(entry.id)) {
        ++counts.replaced;
        continue;
      }
      const std::uint8_t* body = old.data() + index.bodyStart + entry.offset;
      members.push_back({entry.id, std::vector<std::uint8_t>(body, body + entry.size)});
      ++counts.kept;
    }
  }
  counts.added = inputs.size() - counts.replaced;
  for (const auto& [id, input] : byId) members.push_back({id, input->bytes});

  std::vector<std::uint8_t> archive;
  if (!BuildMix(std::move(members), archive, error)) {
    error = target + ": " + error;
    return false;
  }
  FileReplacement file(target);
  std::string reason;
  if (!file.WriteAll(archive.data(), archive.size(), reason) || !CommitReplacement(file, reason)) {
    error = target + ": cannot write the MIX file (" + reason + ")";
    return false;
  }
  if (summary) *summary = counts;
  return true;
}
