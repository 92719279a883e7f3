#include "recovery_copy.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>

#include "file_replacement.h"
#include "read_file.h"
#include "scene_writer.h"

namespace {

// Whether something lies at `path`, told without opening it: a FIFO put there would hold
// an open until a writer came. What it is, the reading of the copy finds out.
bool Exists(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::exists(std::filesystem::symlink_status(path, ignored));
}

}  // namespace

std::string JoinRecoveryPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  const char last = folder.back();
  if (last == '/' || last == '\\') return folder + name;
  const bool backslashes = folder.find('\\') != std::string::npos && folder.find('/') == std::string::npos;
  return folder + (backslashes ? '\\' : '/') + name;
}

bool WriteRecoveryCopy(const std::string& folder, const LoadScreenDocument& document, const RecoveryRecord& record,
                       std::string& error) {
  if (!SaveScene(JoinRecoveryPath(folder, kRecoverySceneFile), document, error, SceneSelection::kKept)) return false;
  const std::string text = FormatRecoveryRecord(record);
  FileReplacement file(JoinRecoveryPath(folder, kRecoveryRecordFile));
  std::string reason;
  if (file.WriteAll(text.data(), text.size(), reason) && CommitReplacement(file, reason)) return true;
  error = "cannot write " + file.target() + ": " + reason;
  return false;
}

bool ReadRecoveryCopy(const std::string& folder, const EditorIdentity& folderEditor, RecoveryRecord& record,
                      std::string& reason) {
  std::vector<std::uint8_t> bytes;
  if (!ReadFileContents(JoinRecoveryPath(folder, kRecoveryRecordFile), kRecoveryRecordMaxBytes, bytes, reason)) {
    reason = "the record cannot be read: " + reason;
    return false;
  }
  if (!ParseRecoveryRecord(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), record, reason))
    return false;
  if (!(record.writer == folderEditor)) {
    reason = "the record names another editor than its folder";
    return false;
  }
  if (!Exists(JoinRecoveryPath(folder, kRecoverySceneFile))) {
    reason = "the scene file is missing";
    return false;
  }
  return true;
}

LeftoverPlan PlanLeftovers(const std::string& root, const std::vector<std::string>& names, const EditorIdentity& self,
                           const std::function<bool(const EditorIdentity&)>& isRunning) {
  LeftoverPlan plan;
  for (const std::string& name : names) {
    EditorIdentity editor;
    if (!ParseRecoveryFolderName(name, editor) || editor == self || isRunning(editor)) continue;
    const std::string folder = JoinRecoveryPath(root, name);
    // The editor writes the scene before the record: a folder with neither was made by an
    // editor that ended before its first copy was complete, and holds nothing to offer.
    if (!Exists(JoinRecoveryPath(folder, kRecoveryRecordFile)) &&
        !Exists(JoinRecoveryPath(folder, kRecoverySceneFile))) {
      plan.abandoned.push_back(name);
      continue;
    }
    LeftoverCopy copy{name, {}};
    std::string reason;
    if (ReadRecoveryCopy(folder, editor, copy.record, reason))
      plan.offers.push_back(std::move(copy));
    else
      plan.damaged.push_back({name, reason});
  }
  std::stable_sort(plan.offers.begin(), plan.offers.end(), [](const LeftoverCopy& a, const LeftoverCopy& b) {
    return a.record.time.Text() > b.record.time.Text();
  });
  return plan;
}

std::string DamagedNameFor(const std::string& name, const std::function<bool(const std::string&)>& taken) {
  std::string candidate = name + kDamagedSuffix;
  for (int n = 2; taken(candidate) && n < 1000; ++n) candidate = name + " " + std::to_string(n) + kDamagedSuffix;
  return candidate;
}
