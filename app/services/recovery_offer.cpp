// The start-up offer of the copies that ended editors left behind.
#include "recovery_copies.h"
#include "recovery_copy.h"
#include "recovery_places_win32.h"
#include "recovery_question.h"

// Renames the copy aside (never over an earlier one) and tells the user where it is.
void RecoveryCopies::PutAside(Prompts& prompts, const std::string& root, const std::string& name,
                              const std::string& reason) {
  const std::string aside = DamagedNameFor(name, [&](const std::string& candidate) {
    return GetFileAttributesA((root + "\\" + candidate).c_str()) != INVALID_FILE_ATTRIBUTES;
  });
  std::string kept = root + "\\" + aside;
  if (!MoveFileA((root + "\\" + name).c_str(), kept.c_str())) kept = root + "\\" + name;
  prompts.Tell(Report({{Text::RecoveryDamaged, {{"reason", reason}, {"path", kept}}}}, PromptIcon::Warning));
}

void RecoveryCopies::OfferAtStart(Prompts& prompts) {
  const std::string root = RecoveryRoot();
  if (root.empty()) return;
  const LeftoverPlan plan = PlanLeftovers(root, FolderEntries(root), ThisEditor(), EditorRunning);
  for (const std::string& name : plan.abandoned) RemoveCopyFolder(root + "\\" + name);
  for (const DamagedCopy& damaged : plan.damaged) PutAside(prompts, root, damaged.name, damaged.reason);
  for (const LeftoverCopy& leftover : plan.offers) {
    const std::string folder = root + "\\" + leftover.name;
    if (prompts.Ask(RecoveryQuestion(leftover.record.originalPath, leftover.record.time.ClockText()), false) !=
        Answer::Yes) {
      RemoveCopyFolder(folder);
      continue;
    }
    std::string error;
    if (session_.Restore(JoinRecoveryPath(folder, kRecoverySceneFile), leftover.record.originalPath, prompts, error)) {
      // The screen is this editor's unsaved work now: its own copy first, then the old one goes.
      Write();
      RemoveCopyFolder(folder);
    } else if (!error.empty()) {
      PutAside(prompts, root, leftover.name, error);
    }
  }
}
