// Writing and discarding this editor's recovery copy.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>

#include "app_state.h"
#include "change_recorder.h"
#include "main_window.h"
#include "recovery.h"
#include "recovery_copy.h"
#include "recovery_places_win32.h"
#include "ui_texts.h"

namespace {

// A write waits for this much quiet after a change, but never longer than the deadline after
// the first unsaved change: a long drag or key run still gets its copy within seconds.
constexpr ULONGLONG kQuietMs = 2000;
constexpr ULONGLONG kDeadlineMs = 8000;

struct CopyState {
  bool pending = false;
  ULONGLONG pendingSince = 0;
  bool folderMade = false;
  bool failureShown = false;
};
CopyState copy;

std::string OwnFolder() {
  const std::string root = RecoveryRoot();
  return root.empty() ? root : root + "\\" + RecoveryFolderName(ThisEditor());
}

void ShowFailureOnce(const std::string& reason) {
  if (copy.failureShown) return;
  copy.failureShown = true;
  const std::wstring text = std::wstring(WideText(UiWideText::RecoveryWriteFailed)) + AnsiToWide(reason);
  if (App().statusBar) SendMessageW(App().statusBar, SB_SETTEXTW, StatusPartHint, reinterpret_cast<LPARAM>(text.c_str()));
}

void StopTimer() {
  if (copy.pending && App().mainWindow) KillTimer(App().mainWindow, kRecoveryTimerId);
  copy.pending = false;
}

class WatchingRecorder final : public ChangeRecorder {
 public:
  explicit WatchingRecorder(ChangeRecorder& inner) : inner_(inner) {}
  void WillChange(const LoadScreenDocument& document) override {
    inner_.WillChange(document);
    OnDocumentChanged();
  }

 private:
  ChangeRecorder& inner_;
};

}  // namespace

void OnDocumentChanged() {
  if (!History().Modified()) {
    DiscardRecovery();
    return;
  }
  HWND window = App().mainWindow;
  if (!window) return;
  const ULONGLONG now = GetTickCount64();
  if (!copy.pending) {
    copy.pending = true;
    copy.pendingSince = now;
  }
  const ULONGLONG deadline = copy.pendingSince + kDeadlineMs;
  const ULONGLONG delay = deadline <= now ? 1 : std::min(kQuietMs, deadline - now);
  SetTimer(window, kRecoveryTimerId, static_cast<UINT>(delay), nullptr);
}

void OnRecoveryTimer() {
  StopTimer();
  if (!History().Modified()) return;
  const std::string folder = OwnFolder();
  if (folder.empty()) {
    ShowFailureOnce("the local application-data folder is unknown");
    return;
  }
  if (!MakeFolders(folder)) {
    ShowFailureOnce("cannot make the folder " + folder);
    return;
  }
  copy.folderMade = true;
  const RecoveryRecord record{App().scenePath, LocalTimeNow(), ThisEditor()};
  std::string error;
  if (!WriteRecoveryCopy(folder, Document(), record, error)) {
    ShowFailureOnce(error);
    return;
  }
  if (copy.failureShown) {
    // Working again: the hint comes back, and a later failure is told again.
    copy.failureShown = false;
    SetStatusText(StatusPartHint, Text(UiText::KeyHint));
  }
}

void DiscardRecovery() {
  StopTimer();
  if (!copy.folderMade) return;
  copy.folderMade = false;
  const std::string folder = OwnFolder();
  if (!folder.empty()) RemoveCopyFolder(folder);
}

ChangeRecorder& RecorderWatchedForRecovery(ChangeRecorder& inner) {
  static WatchingRecorder recorder(inner);
  return recorder;
}
