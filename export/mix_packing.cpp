#include "mix_packing.h"

#include <filesystem>

#include "file_replacement.h"
#include "path_names.h"
#include "read_file.h"
#include "shp_export.h"

namespace {

// The size limit is checked before a byte is read: a 2 GB file is refused, not read.
bool ReadLimitedFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& reason) {
  bytes.clear();
  // A FIFO or a device is refused before its size is asked (and again when it is opened).
  if (reason = FileTypeProblem(path); !reason.empty()) return false;
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (!error && size > kMaxMixFileBytes) {
    reason = "the file has " + std::to_string(size) + " bytes, more than the " + std::to_string(kMaxMixFileBytes) +
             " read for a MIX";
    return false;
  }
  return ReadFileContents(path, kMaxMixFileBytes, bytes, reason);
}

bool Exists(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::exists(std::filesystem::symlink_status(path, ignored));
}

}  // namespace

bool ReadMixInput(const std::string& path, MixInput& input, std::string& error) {
  input = MixInput{};
  input.source = path;
  input.name = FileNameOfPath(path);
  if (const std::string problem = MixNameProblem(input.name); !problem.empty()) {
    error = path + ": " + problem;
    return false;
  }
  std::string reason;
  if (!ReadLimitedFile(path, input.bytes, reason)) {
    error = path + ": cannot read the file (" + reason + ")";
    return false;
  }
  return true;
}

namespace {

// The reason without the path: kOk, or what ReadMixIndex or the read said; `read` tells a
// file that could not be read from one that is no archive.
MixReadStatus ReadArchive(const std::string& path, std::vector<std::uint8_t>& bytes, MixIndex& index,
                          std::string& reason, bool& read) {
  read = ReadLimitedFile(path, bytes, reason);
  if (!read) {
    reason = "cannot read the MIX file (" + reason + ")";
    return MixReadStatus::kDamaged;
  }
  return ReadMixIndex(bytes.data(), bytes.size(), index, reason);
}

// An existing target a pack cannot add to: a pack never replaces it.
std::string RefusedTarget(const std::string& target, const std::string& reason, bool read) {
  if (!read) return target + ": " + reason;
  return target + ": refused: the file exists and is not a MIX archive that can be added to (" + reason +
         "); nothing was written";
}

}  // namespace

bool ReadMixFile(const std::string& path, std::vector<std::uint8_t>& bytes, MixIndex& index, std::string& error,
                 bool* encrypted) {
  std::string reason;
  bool read = false;
  const MixReadStatus status = ReadArchive(path, bytes, index, reason, read);
  if (encrypted) *encrypted = status == MixReadStatus::kEncrypted;
  if (status == MixReadStatus::kOk) return true;
  error = path + ": " + reason;
  return false;
}

std::string MixTargetProblem(const std::string& target) {
  if (!Exists(target)) return {};
  std::vector<std::uint8_t> bytes;
  MixIndex index;
  std::string reason;
  bool read = false;
  if (ReadArchive(target, bytes, index, reason, read) == MixReadStatus::kOk) return {};
  return RefusedTarget(target, reason, read);
}

bool PackMix(const std::string& target, const std::string& addTo, const std::vector<MixInput>& inputs,
             std::string& error, MixPackSummary* summary) {
  if (error = MixInputsProblem(inputs); !error.empty()) return false;
  ReplacementLock lock(target);
  const bool targetExists = Exists(target);
  if (targetExists && !addTo.empty() && !SameFilePath(addTo, target)) {
    error = target + ": refused: the archive exists and would be added to, and " + addTo +
            " is another archive to start from; add to one of them, or name a new file; nothing was written";
    return false;
  }
  const std::string source = !addTo.empty() ? addTo : targetExists ? target : "";
  std::vector<std::uint8_t> old;
  MixIndex index;
  if (!source.empty()) {
    std::string reason;
    bool read = false;
    if (ReadArchive(source, old, index, reason, read) != MixReadStatus::kOk) {
      error = source == target ? RefusedTarget(target, reason, read) : source + ": " + reason;
      return false;
    }
  }
  std::vector<std::uint8_t> archive;
  MixPackSummary counts;
  if (!ComposeMix(old.data(), source.empty() ? nullptr : &index, inputs, archive, counts, error)) {
    error = (source.empty() ? target : source) + ": " + error;
    return false;
  }
  counts.existed = targetExists;
  old = {};
  FileReplacement file(target);
  std::string reason;
  if (!file.WriteAll(archive.data(), archive.size(), reason) || !CommitReplacement(file, lock, reason)) {
    error = target + ": cannot write the MIX file (" + reason + ")";
    return false;
  }
  if (summary) *summary = counts;
  return true;
}
