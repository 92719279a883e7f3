// The start-up offer of the copies that ended editors left behind.
#include <cwchar>
#include <string>

#include "app_state.h"
#include "file_commands.h"
#include "recovery.h"
#include "recovery_copy.h"
#include "recovery_places_win32.h"
#include "ui_texts.h"

namespace {

constexpr wchar_t kCaption[] = L"Vantorel";

std::wstring Filled(std::wstring text, const wchar_t* placeholder, const std::wstring& value) {
  const auto at = text.find(placeholder);
  if (at != std::wstring::npos) text.replace(at, std::wcslen(placeholder), value);
  return text;
}

// Renames the copy aside (never over an earlier one) and tells the user where it is.
void PutAside(const std::string& root, const std::string& name, const std::string& reason) {
  const std::string aside = DamagedNameFor(name, [&](const std::string& candidate) {
    return GetFileAttributesA((root + "\\" + candidate).c_str()) != INVALID_FILE_ATTRIBUTES;
  });
  std::string kept = root + "\\" + aside;
  if (!MoveFileA((root + "\\" + name).c_str(), kept.c_str())) kept = root + "\\" + name;
  std::wstring text = Filled(WideText(UiWideText::RecoveryDamaged), L"{reason}", AnsiToWide(reason));
  text = Filled(text, L"{path}", AnsiToWide(kept));
  MessageBoxW(App().mainWindow, text.c_str(), kCaption, MB_ICONWARNING);
}

}  // namespace

void OfferRecoveryAtStart() {
  const std::string root = RecoveryRoot();
  if (root.empty()) return;
  const LeftoverPlan plan = PlanLeftovers(root, FolderEntries(root), ThisEditor(), EditorRunning);
  for (const std::string& name : plan.abandoned) RemoveCopyFolder(root + "\\" + name);
  for (const DamagedCopy& damaged : plan.damaged) PutAside(root, damaged.name, damaged.reason);
  for (const LeftoverCopy& leftover : plan.offers) {
    const std::string folder = root + "\\" + leftover.name;
    const std::wstring question =
        Filled(WideText(UiWideText::RecoveryQuestion), L"HH:MM", AnsiToWide(leftover.record.time.ClockText()));
    if (MessageBoxW(App().mainWindow, question.c_str(), kCaption, MB_YESNO | MB_ICONQUESTION) != IDYES) {
      RemoveCopyFolder(folder);
      continue;
    }
    std::string error;
    if (RestoreRecoveredScene(JoinRecoveryPath(folder, kRecoverySceneFile), leftover.record.originalPath, error)) {
      // The screen is this editor's unsaved work now: its own copy first, then the old one goes.
      OnRecoveryTimer();
      RemoveCopyFolder(folder);
    } else if (!error.empty()) {
      PutAside(root, leftover.name, error);
    }
  }
}
