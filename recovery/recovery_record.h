// The record kept beside a recovery copy: which editor wrote it, when, and the scene file the
// unsaved screen belongs to (if it had one). A small text file the next start reads to decide
// whether to offer the copy and how to name it.
//
//   ; Vantorel recovery record
//   [Recovery]
//   Original=C:\maps\mission1.ini     ; empty while the screen had no scene file
//   Time=2024-05-01 14:32:05           ; local time of the write
//   ProcessId=1234
//   ProcessStart=01DA9C3B12345678      ; the writer's start time, 16 hex digits
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// One running editor: its process id and start time together, since a process id alone is
// reused by the system once its process has ended.
struct EditorIdentity {
  std::uint32_t processId = 0;
  std::uint64_t startTime = 0;  // in the system's own units; only compared
  bool operator==(const EditorIdentity&) const = default;
};

struct RecoveryTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  // "2024-05-01 14:32:05": sorts as the time does.
  std::string Text() const;
  // "14:32", as the start-up question shows it.
  std::string ClockText() const;
};

struct RecoveryRecord {
  std::string originalPath;
  RecoveryTime time;
  EditorIdentity writer;
};

// Records are tiny; anything larger is not one of ours.
inline constexpr std::size_t kRecoveryRecordMaxBytes = 16 * 1024;

std::string FormatRecoveryRecord(const RecoveryRecord& record);
// False with a short reason ("no Time line", "line 3 is not KEY=VALUE", ...) when the text is
// not a complete record; `record` is then unspecified. Unknown keys are tolerated, so a later
// version may add some.
bool ParseRecoveryRecord(std::string_view text, RecoveryRecord& record, std::string& reason);

// The folder of one editor's copy inside the recovery folder: "editor-<pid>-<start hex>".
// The identity is in the name so that a liveness check needs no readable record.
std::string RecoveryFolderName(const EditorIdentity& editor);
// False for any name RecoveryFolderName does not make (copies put aside, foreign files).
bool ParseRecoveryFolderName(std::string_view name, EditorIdentity& editor);
