// Safe file replacement: a file is only ever replaced by complete new content.
//
// The new content goes to a temporary file beside the target ("<target>.~<tag>.tmp"), is
// flushed to the disk, and is then renamed over the target, so at every instant the target
// holds either its old or its complete new content. A target that is a symbolic link stays
// one: the file it leads to is replaced (the temporary file lies beside that file). A group of files (an SHP sprite and
// its palette) is committed in order; each target that a later one may still need to roll back keeps its old content
// reachable under a backup name ("<target>.~<tag>.bak"): a hard link on POSIX, the system's replace call on Windows, so
// the target itself never disappears. Across several files the commit is not atomic: a process killed between two
// renames leaves the earlier targets new and the later ones old, each one complete.
//
// After a successful commit nothing of ours stays beside the targets: the temporary and
// backup files of this commit are gone, and so are those that an interrupted earlier run
// left for the same targets. Each temporary name carries its owner's process id, and the
// files of a run that is still going are never removed by another; commits of a group are
// taken one at a time per folder (a lock the system drops with its process), so two runs
// on the same targets never leave a mix of their files. A failed write or commit removes its own temporary files and
// restores the targets it had replaced.
//
// Every failure comes back as false with a reason in the user's terms: the system's words,
// "it is a folder", "the folder ... does not exist", or a path that is too long.
// The platform parts live in replacement_system_posix.cpp and replacement_system_win32.cpp.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class FileReplacement {
 public:
  explicit FileReplacement(std::string target);
  // Closes and removes the temporary file unless it was committed.
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  // The path as given, for messages.
  const std::string& target() const { return target_; }
  // The file that is replaced: the target, or where its symbolic link leads (the link stays).
  const std::string& destination() const { return destination_; }
  // Where the new content is written; a writer that does not use Create/Write/Finish must
  // flush the file to the disk before it closes it.
  const std::string& temporaryPath() const { return temporary_; }

  // What already stands in the way of replacing the target, or empty: a path too long, the
  // target being a folder, a folder on the way that is missing or is a file.
  std::string TargetProblem() const;

  // Creates the temporary file (never an existing one), writes to it, and flushes it to the
  // disk and closes it. Each returns false with a reason; the temporary file then stays
  // until the object goes.
  bool Create(std::string& reason);
  bool Write(const void* data, std::size_t size, std::string& reason);
  bool Finish(std::string& reason);
  // Create, one Write and Finish.
  bool WriteAll(const void* data, std::size_t size, std::string& reason);

  // Used by the commit.
  bool committed() const { return committed_; }
  void MarkCommitted() { committed_ = true; }

 private:
  void CloseQuietly();
  std::string target_;
  std::string destination_;
  std::string temporary_;
  std::intptr_t handle_ = -1;
  bool committed_ = false;
};

struct CommitFailure {
  std::string file;    // the target that could not be put in place
  std::string reason;  // why, in the system's words
};

// Called after each change on the disk during a commit (tests use it to look at, or to
// interrupt, every intermediate state).
using CommitStep = std::function<void()>;

// Whether a commit also flushes the folders, so that the new names survive a power cut in
// the seconds after it. Either way a crash leaves each target whole, old or new: the content
// is flushed before it takes the name. Files made again from their source at any time (an
// export) leave the names to the system, as the Windows build always does, and save a wait
// for the disk.
enum class NameFlush { kFolders, kLeftToSystem };

// Puts the temporary files in place of their targets, in the order given. On failure the
// targets already replaced get their old content back (or go again, where there was none),
// `failure` names the target and the reason, and false comes back.
bool CommitReplacements(const std::vector<FileReplacement*>& files, CommitFailure& failure,
                        const CommitStep& afterEachStep = {}, NameFlush names = NameFlush::kFolders);
// One file: the temporary file renamed over the target.
bool CommitReplacement(FileReplacement& file, std::string& reason, NameFlush names = NameFlush::kFolders);

// The lock a commit of `target` takes, held across a read, change and replacement of that
// file (an archive added to), so that runs doing so one after another each start from what
// the previous one wrote and none loses what another added. Waits while another run holds
// it; the system drops it with its process. Held by one thread, which commits the target
// through the overload below while it holds it.
class ReplacementLock {
 public:
  explicit ReplacementLock(std::string target);
  ~ReplacementLock();
  ReplacementLock(const ReplacementLock&) = delete;
  ReplacementLock& operator=(const ReplacementLock&) = delete;
  const std::string& target() const { return target_; }
  // The file locked: the target, or where its symbolic link leads (as FileReplacement).
  const std::string& destination() const { return destination_; }

 private:
  std::string target_;
  std::string destination_;
  std::intptr_t handle_;
};
// Commits the file whose target `held` locks, without taking the lock a second time.
bool CommitReplacement(FileReplacement& file, const ReplacementLock& held, std::string& reason,
                       NameFlush names = NameFlush::kFolders);

// Removes the temporary and backup files named after `target` that an interrupted run left
// in its folder: those whose owner is no longer running, or that name no owner. Nothing
// else is touched.
void RemoveLeftoversOf(const std::string& target);
// True for a name that this library gives the temporary or backup files of `targetName`.
bool IsLeftoverName(const std::string& name, const std::string& targetName);
// The same, also giving the owner's process id (0 when the name carries none).
bool IsLeftoverName(const std::string& name, const std::string& targetName, unsigned long& owner);
