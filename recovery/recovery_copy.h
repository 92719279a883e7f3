// One editor's recovery copy: a folder holding the unsaved screen as a scene file with its
// screenshot ("scene.ini", "scene.screenshot.png") and the record ("recovery.txt"), and the
// choice at start-up of which leftover copies to offer.
//
// Paths are plain strings joined with the separator the folder path already uses ('/' when
// it has none), so the same code runs on the editor's paths and on the tests'.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "load_screen_document.h"
#include "recovery_record.h"

inline constexpr char kRecoverySceneFile[] = "scene.ini";
inline constexpr char kRecoveryRecordFile[] = "recovery.txt";
// The suffix of a copy that could not be read, renamed aside for the user.
inline constexpr char kDamagedSuffix[] = ".damaged";

std::string JoinRecoveryPath(const std::string& folder, const std::string& name);

// Writes the scene (with the selection, so the copy draws exactly what the screen shows)
// and then the record into the existing `folder`, each file through the safe replacement: a
// failure leaves the earlier copy whole. False with one line in `error`.
bool WriteRecoveryCopy(const std::string& folder, const LoadScreenDocument& document, const RecoveryRecord& record,
                       std::string& error);

// Reads and checks a copy's record: present, complete, naming the editor of the folder
// name, with the scene beside it. False with the reason otherwise.
bool ReadRecoveryCopy(const std::string& folder, const EditorIdentity& folderEditor, RecoveryRecord& record,
                      std::string& reason);

struct LeftoverCopy {
  std::string name;  // the folder's name in the recovery folder
  RecoveryRecord record;
};
struct DamagedCopy {
  std::string name;
  std::string reason;
};
struct LeftoverPlan {
  std::vector<LeftoverCopy> offers;    // newest first
  std::vector<DamagedCopy> damaged;    // to put aside and report
  std::vector<std::string> abandoned;  // empty folders of an editor that died before its first copy
};

// Sorts the entries of the recovery folder `root`: copies of `self` and of editors that
// `isRunning` still sees are left alone (each live editor keeps its own); names that are
// not copy folders are ignored.
LeftoverPlan PlanLeftovers(const std::string& root, const std::vector<std::string>& names, const EditorIdentity& self,
                           const std::function<bool(const EditorIdentity&)>& isRunning);

// "editor-12-....damaged", or with " 2", " 3" ... before the suffix when `taken` says a
// name is in use, so a copy put aside never replaces an earlier one.
std::string DamagedNameFor(const std::string& name, const std::function<bool(const std::string&)>& taken);
