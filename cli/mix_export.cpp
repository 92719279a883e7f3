#include "mix_export.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "command_line.h"
#include "load_screen_document.h"
#include "mix_name_id.h"
#include "path_names.h"

void WarnUnlessEightDotThree(const std::string& name, const std::string& howToRename) {
  static std::mutex mutex;
  static std::set<std::string> warned;
  const std::string upper = UpperCaseName(name);
  if (FitsEightDotThree(upper)) return;
  std::lock_guard<std::mutex> lock(mutex);
  if (!warned.insert(upper).second) return;
  Warning(upper + " is not an 8.3 name (at most 8 characters, a dot and at most 3), which the games may not find; " +
          howToRename);
}

bool MixExport::Begin(const std::string& mixPath, const std::vector<PlannedMixMember>& members, bool scratch,
                      std::string& error) {
  mixPath_ = mixPath;
  if (error = MixTargetProblem(mixPath); !error.empty()) return false;
  std::vector<MixMemberName> names;
  for (const PlannedMixMember& member : members) names.push_back({member.name, member.source});
  if (error = MixNamesProblem(names); !error.empty()) return false;
  for (const PlannedMixMember& member : members) WarnUnlessEightDotThree(member.name, member.howToRename);
  return !scratch || scratch_.Make(error);
}

std::string MixExport::InUserTerms(std::string text) const {
  const std::string& folder = scratch_.path();
  if (folder.empty()) return text;
  for (std::size_t at; (at = text.find(folder)) != std::string::npos;) {
    // The folder, a separator and a member's name, which ends where the message goes on.
    std::size_t end = at + folder.size();
    if (end < text.size() && (text[end] == '/' || text[end] == '\\')) ++end;
    const std::size_t nameEnd = std::min(text.find(": ", end), text.find(", ", end));
    const std::string name = text.substr(end, nameEnd == std::string::npos ? std::string::npos : nameEnd - end);
    text.replace(at, nameEnd == std::string::npos ? std::string::npos : nameEnd - at,
                 UpperCaseName(name) + " for " + mixPath_);
  }
  return text;
}

bool MixExport::Add(const std::string& name, const std::string& path, std::string& error) {
  MixInput input;
  if (!ReadMixInput(path, input, error)) {
    error = InUserTerms(error);
    return false;
  }
  input.name = name;
  input.source = InUserTerms(path);
  std::lock_guard<std::mutex> lock(mutex_);
  // One palette shared by a batch is packed once.
  for (const MixInput& earlier : inputs_)
    if (earlier.source == input.source) return true;
  inputs_.push_back(std::move(input));
  return true;
}

bool MixExport::Finish(std::string& error) {
  if (inputs_.empty()) return true;
  MixPackSummary summary;
  if (!PackMix(mixPath_, "", inputs_, error, &summary)) return false;
  std::string names;
  for (const MixInput& input : inputs_) names += (names.empty() ? "" : ", ") + UpperCaseName(input.name);
  if (summary.existed)
    std::printf("packed %s into %s (added to the existing archive: %s added, %s replaced, %s kept)\n", names.c_str(),
                mixPath_.c_str(), std::to_string(summary.added).c_str(), std::to_string(summary.replaced).c_str(),
                std::to_string(summary.kept).c_str());
  else
    std::printf("packed %s into %s (a new archive)\n", names.c_str(), mixPath_.c_str());
  return true;
}
