// Recovery copies of unsaved work, in the editor.
//
// While the screen has changes that are not saved, the editor keeps a copy of it (the scene,
// its screenshot and a small record) in its own folder under
// %LOCALAPPDATA%\Vantorel\Recovery. The copy is written from a timer on the main window when
// the recovery schedule says (recovery_schedule.h), so a burst of changes makes one write.
// The folder goes as soon as the screen holds what its file holds again (saved, opened,
// undone back to it) and on every clean exit; a crash or a kill leaves it, and the next
// start offers it back. A write that fails says why in the status bar until one succeeds.
#pragma once

#include <windows.h>

#include <string>

#include "editing_session.h"
#include "recovery_schedule.h"
#include "status_line.h"

class RecoveryCopies {
 public:
  // The main window's timer that writes the copy; its WM_TIMER goes to Write.
  static constexpr UINT_PTR kTimerId = 0x5245;

  RecoveryCopies(EditingSession& session, StatusLine& status) : session_(session), status_(status) {}
  // The window whose timer writes the copy; null until it exists.
  void SetWindow(HWND window) { window_ = window; }

  // After anything that may change whether the screen is saved or what it shows: an
  // unsaved screen arms the timer, a saved one discards the copy.
  void Changed();
  // Writes the copy now (the timer's work, and before a log-off).
  void Write();
  // Deletes this editor's copy and stops a pending write.
  void Discard();
  // At start-up, once the main window shows: offers each copy whose editor has ended, newest
  // first, one question each, naming its scene. Yes opens it as unsaved work under its
  // original file name (whose first save asks for the file), No deletes it; a copy that
  // cannot be read is renamed aside and reported.
  void OfferAtStart(Prompts& prompts);

 private:
  void StopTimer();
  void Failed(const std::string& reason);
  void PutAside(Prompts& prompts, const std::string& root, const std::string& name, const std::string& reason);

  EditingSession& session_;
  StatusLine& status_;
  HWND window_ = nullptr;
  RecoverySchedule schedule_;
  bool folderMade_ = false;
};
