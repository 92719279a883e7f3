// Writing and discarding this editor's recovery copy.
#include "recovery_copies.h"

#include "recovery_copy.h"
#include "recovery_places_win32.h"

namespace {

std::string OwnFolder() {
  const std::string root = RecoveryRoot();
  return root.empty() ? root : root + "\\" + RecoveryFolderName(ThisEditor());
}

}  // namespace

void RecoveryCopies::Failed(const std::string& reason) {
  status_.ShowWarning({{Text::RecoveryWriteFailed, {{"reason", reason}}}});
}

void RecoveryCopies::StopTimer() {
  if (schedule_.Pending() && window_) KillTimer(window_, kTimerId);
  schedule_.Stop();
}

void RecoveryCopies::Changed() {
  if (!session_.Modified()) {
    Discard();
    return;
  }
  if (!window_) return;
  const std::uint64_t delay = schedule_.Changed(GetTickCount64());
  SetTimer(window_, kTimerId, static_cast<UINT>(delay), nullptr);
}

void RecoveryCopies::Write() {
  StopTimer();
  if (!session_.Modified()) return;
  const std::string folder = OwnFolder();
  if (folder.empty()) return Failed("the local application-data folder is unknown");
  if (!MakeFolders(folder)) return Failed("cannot make the folder " + folder);
  folderMade_ = true;
  const RecoveryRecord record{session_.scenePath(), LocalTimeNow(), ThisEditor()};
  std::string error;
  if (!WriteRecoveryCopy(folder, session_.document(), record, error)) return Failed(error);
  // Working again: the warning goes.
  status_.ClearWarning();
}

void RecoveryCopies::Discard() {
  StopTimer();
  // No copy is wanted any more, so a failure to write one no longer matters.
  status_.ClearWarning();
  if (!folderMade_) return;
  folderMade_ = false;
  const std::string folder = OwnFolder();
  if (!folder.empty()) RemoveCopyFolder(folder);
}
