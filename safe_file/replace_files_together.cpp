#include "replace_files_together.h"

#include <memory>

bool ReplaceFilesTogether(const std::vector<FileContent>& files, std::string& error, const CommitStep& afterEachStep) {
  std::vector<std::unique_ptr<FileReplacement>> replacements;
  std::vector<FileReplacement*> order;
  for (const FileContent& file : files) {
    replacements.push_back(std::make_unique<FileReplacement>(file.path));
    order.push_back(replacements.back().get());
    // Refused before anything is written: nothing to clean up, nothing half done.
    if (std::string problem = order.back()->TargetProblem(); !problem.empty()) {
      error = "cannot write " + file.path + ": " + problem;
      return false;
    }
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    std::string reason;
    if (!order[i]->WriteAll(files[i].bytes.data(), files[i].bytes.size(), reason)) {
      error = "cannot write " + files[i].path + ": " + reason;
      return false;  // the replacements remove their temporary files as they go
    }
  }
  CommitFailure failure;
  if (CommitReplacements(order, failure, afterEachStep)) return true;
  error = "cannot replace " + failure.file + ": " + failure.reason;
  return false;
}
