#include "mission_file.h"

#include <filesystem>
#include <vector>

#include "file_replacement.h"
#include "mission_file_edit.h"
#include "read_file.h"

namespace {

// The file's text, or empty for a file that does not exist (nor does a link to it).
bool ReadMissionText(const std::string& path, std::string& text, bool& missing, std::string& error) {
  std::error_code code;
  const auto status = std::filesystem::status(path, code);
  missing = status.type() == std::filesystem::file_type::not_found;
  text.clear();
  if (missing) return true;
  std::vector<std::uint8_t> bytes;
  std::string reason;
  if (!ReadFileContents(path, kMissionFileMaxBytes, bytes, reason)) {
    error = path + ": " + reason;
    return false;
  }
  text.assign(bytes.begin(), bytes.end());
  return true;
}

bool EditMissionFile(const std::string& path, const MissionKeys& keys, MissionEdit& edit, bool& missing,
                     std::string& error) {
  if (error = MissionKeysProblem(keys); !error.empty()) return false;
  std::string text;
  if (!ReadMissionText(path, text, missing, error)) return false;
  if (!SetMissionKeys(text, keys, edit, error)) {
    error = path + ": " + error;
    return false;
  }
  return true;
}

}  // namespace

bool CheckMissionFile(const std::string& path, const MissionKeys& keys, std::string& error) {
  MissionEdit edit;
  bool missing = false;
  if (!EditMissionFile(path, keys, edit, missing, error)) return false;
  FileReplacement replacement(path);
  if (const std::string problem = replacement.TargetProblem(); !problem.empty()) {
    error = path + ": " + problem;
    return false;
  }
  return true;
}

bool SetKeysInMissionFile(const std::string& path, const MissionKeys& keys, MissionFileOutcome& outcome,
                          std::string& error) {
  MissionEdit edit;
  bool missing = false;
  if (!EditMissionFile(path, keys, edit, missing, error)) return false;
  outcome = MissionFileOutcome{};
  outcome.created = missing;
  outcome.sectionAdded = edit.sectionAdded;
  outcome.keysChanged = edit.keysChanged;
  outcome.keysAdded = edit.keysAdded;
  if (!edit.changed()) return true;
  FileReplacement replacement(path);
  std::string reason = replacement.TargetProblem();
  if (reason.empty() && replacement.WriteAll(edit.text.data(), edit.text.size(), reason) &&
      CommitReplacement(replacement, reason))
    return true;
  error = path + ": " + reason;
  return false;
}

std::string DescribeMissionFileOutcome(const MissionFileOutcome& outcome, const std::string& section) {
  const std::string name = "[" + section + "]";
  if (outcome.created) return "made, with " + name;
  if (outcome.sectionAdded) return name + " added at the end";
  const auto keys = [](int count, const char* what) {
    return std::to_string(count) + (count == 1 ? " key " : " keys ") + what;
  };
  std::string text;
  if (outcome.keysChanged) text = keys(outcome.keysChanged, "changed");
  if (outcome.keysAdded) text += (text.empty() ? "" : ", ") + keys(outcome.keysAdded, "added");
  return text.empty() ? name + " already holds these keys" : text + " in " + name;
}
