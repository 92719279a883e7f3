// Recovery copies of unsaved work, in the editor.
//
// While the screen has changes that are not saved, the editor keeps a copy of it (the scene,
// its screenshot and a small record) in its own folder under
// %LOCALAPPDATA%\Vantorel\Recovery. The copy is written from a timer on the main window: a
// quiet moment after a change, and never later than a few seconds after the first unsaved
// one, so a burst of changes makes one write. The folder goes as soon as the screen holds
// what its file holds again (saved, opened, undone back to it) and on every clean exit; a
// crash or a kill leaves it, and the next start offers it back.
#pragma once

#include <windows.h>

class ChangeRecorder;

// The main window's timer that writes the copy; its WM_TIMER goes to OnRecoveryTimer.
inline constexpr UINT_PTR kRecoveryTimerId = 0x5245;

// Call after anything that may change whether the screen is saved or what it shows: an
// unsaved screen arms the timer, a saved one discards the copy.
void OnDocumentChanged();
// Writes the copy now (the timer's work). A failure shows once in the status bar.
void OnRecoveryTimer();
// Deletes this editor's copy and stops a pending write.
void DiscardRecovery();
// At start-up, once the main window shows: offers each copy whose editor has ended, newest
// first, one question each. Yes opens it as unsaved work under its original file name, No
// deletes it; a copy that cannot be read is renamed aside and reported.
void OfferRecoveryAtStart();

// A recorder that passes every change on to `inner` and then calls OnDocumentChanged, so a
// change inside an undo group (a drag, a run of keys) is seen too. One for the process.
ChangeRecorder& RecorderWatchedForRecovery(ChangeRecorder& inner);
