#include "file_replacement.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>

#include "folder_sync_batch.h"
#include "path_limits.h"
#include "replacement_system.h"

namespace fs = std::filesystem;
namespace sys = replacement_system;

namespace {

constexpr char kTagStart[] = ".~";
constexpr char kTemporaryEnd[] = ".tmp";
constexpr char kBackupEnd[] = ".bak";

// "<target>.~<12 hex digits>-<process id><end>": unique enough that creation with O_EXCL
// practically never needs a second try, recognisable as ours when a killed run leaves it
// behind, and naming its owner, so that another run's cleanup leaves it alone while the
// owner lives.
std::string TaggedPath(const std::string& target, const char* end) {
  static const unsigned long long seed = [] {
    std::random_device random;
    return (static_cast<unsigned long long>(random()) << 32) ^ random();
  }();
  static std::atomic<unsigned long long> counter{0};
  const auto ticks = static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
  const unsigned long long tag = (seed ^ (ticks * 0x9E3779B97F4A7C15ull) ^ (counter++ << 40)) & 0xFFFFFFFFFFFFull;
  char text[48];
  std::snprintf(text, sizeof text, "%s%012llx-%lu", kTagStart, tag, sys::CurrentProcessId());
  return target + text + end;
}

std::string FolderOf(const std::string& target) {
  const fs::path parent = fs::path(target).parent_path();
  return parent.empty() ? std::string(".") : parent.string();
}

std::string FileNameOf(const std::string& target) { return fs::path(target).filename().string(); }

bool Exists(const std::string& path) {
  std::error_code ignored;
  return fs::exists(fs::symlink_status(path, ignored));
}

char Folded(char c) {
#ifdef _WIN32
  // Windows file names ignore case.
  return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
#else
  return c;
#endif
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

namespace {

// The file a target names: the target itself, or the file its symbolic link leads to (through
// every link of a chain), so that replacing it keeps the link and changes the file, as
// editors do. A link to nowhere makes the file it names.
std::string ResolvedTarget(const std::string& target) {
  try {
    fs::path path(target);
    for (int hops = 0; hops < 40; ++hops) {
      std::error_code error;
      if (!fs::is_symlink(fs::symlink_status(path, error))) break;
      const fs::path link = fs::read_symlink(path, error);
      if (error) break;
      path = link.is_absolute() ? link : path.parent_path() / link;
    }
    return path.string();
  } catch (const std::exception&) {
    return target;  // a name the file system library cannot convert: the system will say
  }
}

}  // namespace

FileReplacement::FileReplacement(std::string target)
    : target_(std::move(target)),
      destination_(ResolvedTarget(target_)),
      temporary_(TaggedPath(destination_, kTemporaryEnd)) {}

FileReplacement::~FileReplacement() {
  CloseQuietly();
  if (!committed_) sys::RemoveQuietly(temporary_);
}

void FileReplacement::CloseQuietly() {
  if (handle_ != sys::kNoHandle) sys::Close(handle_);
  handle_ = sys::kNoHandle;
}

std::string FileReplacement::TargetProblem() const {
  if (std::string problem = PathLengthProblem(destination_); !problem.empty()) return problem;
  if (temporary_.size() > kMaxPathLength)
    return "the path is too long for a temporary file beside it (" + std::to_string(temporary_.size()) +
           " characters, at most " + std::to_string(kMaxPathLength) + ")";
  std::error_code error;
  if (fs::is_directory(destination_, error)) return "it is a folder";
  const std::string folder = FolderOf(destination_);
  const fs::file_status status = fs::status(folder, error);
  if (!fs::exists(status)) return "the folder " + folder + " does not exist";
  if (!fs::is_directory(status)) return folder + " is not a folder";
  return {};
}

bool FileReplacement::Create(std::string& reason) {
  CloseQuietly();
  // A name that somebody else took in the meantime gets another tag.
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (attempt > 0) temporary_ = TaggedPath(destination_, kTemporaryEnd);
    if (sys::CreateNew(temporary_, handle_, reason)) return true;
    if (!Exists(temporary_)) break;
  }
  handle_ = sys::kNoHandle;
  if (std::string problem = TargetProblem(); !problem.empty()) reason = problem;
  return false;
}

bool FileReplacement::Write(const void* data, std::size_t size, std::string& reason) {
  if (handle_ == sys::kNoHandle) {
    reason = "the file is not open";
    return false;
  }
  return size == 0 || sys::WriteAll(handle_, data, size, reason);
}

bool FileReplacement::Finish(std::string& reason) {
  if (handle_ == sys::kNoHandle) {
    reason = "the file is not open";
    return false;
  }
  const sys::Handle handle = handle_;
  handle_ = sys::kNoHandle;
  return sys::FlushAndClose(handle, reason);
}

bool FileReplacement::WriteAll(const void* data, std::size_t size, std::string& reason) {
  return Create(reason) && Write(data, size, reason) && Finish(reason);
}

bool IsLeftoverName(const std::string& name, const std::string& targetName, unsigned long& owner) {
  owner = 0;
  const std::string prefix = targetName + kTagStart;
  if (name.size() <= prefix.size() + 4) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (Folded(name[i]) != Folded(prefix[i])) return false;
  if (!EndsWith(name, kTemporaryEnd) && !EndsWith(name, kBackupEnd)) return false;
  // The tag's hex digits, then the owner's id after a '-' (older runs wrote no owner).
  const std::string tag = name.substr(prefix.size(), name.size() - 4 - prefix.size());
  const std::size_t dash = tag.find('-');
  const std::string hex = tag.substr(0, dash);
  if (hex.empty() || hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return false;
  if (dash == std::string::npos) return true;
  const std::string id = tag.substr(dash + 1);
  if (id.empty() || id.size() > 10 || id.find_first_not_of("0123456789") != std::string::npos) return false;
  owner = std::stoul(id);
  return true;
}

bool IsLeftoverName(const std::string& name, const std::string& targetName) {
  unsigned long owner;
  return IsLeftoverName(name, targetName, owner);
}

void RemoveLeftoversOf(const std::string& target) {
  const std::string folder = FolderOf(target), name = FileNameOf(target);
  std::error_code error;
  std::vector<std::string> leftovers;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    unsigned long owner = 0;
    if (!IsLeftoverName(it->path().filename().string(), name, owner)) continue;
    // Files of a run still going on (this process's other writers included) are its own
    // business; only an owner that is gone leaves them to us.
    if (owner != 0 && (owner == sys::CurrentProcessId() || sys::ProcessIsRunning(owner))) continue;
    leftovers.push_back(it->path().string());
  }
  for (const std::string& path : leftovers) sys::RemoveQuietly(path);
}

namespace {

// `takeLock` false: the caller holds the lock of the (one) target already.
bool CommitGroup(const std::vector<FileReplacement*>& files, CommitFailure& failure, const CommitStep& afterEachStep,
                 NameFlush names, bool takeLock) {
  auto step = [&afterEachStep] {
    if (afterEachStep) afterEachStep();
  };
  if (files.empty()) return true;
  // Two runs on the same targets commit one after the other, so an SHP and its palette
  // always come from the same run.
  struct Lock {
    sys::Handle handle;
    ~Lock() { sys::Unlock(handle); }
  } lock{takeLock ? sys::LockFolderOf(files.front()->destination(), FolderOf(files.front()->destination()))
                  : sys::kNoHandle};
  std::vector<std::string> backups(files.size());
  std::vector<bool> existed(files.size(), false);
  for (std::size_t i = 0; i < files.size(); ++i) {
    FileReplacement& file = *files[i];
    std::string reason;
    existed[i] = Exists(file.destination());
    bool moved;
    if (i + 1 < files.size() && existed[i]) {
      // A later file may still fail: keep the old content to put back.
      backups[i] = TaggedPath(file.destination(), kBackupEnd);
      moved = sys::MoveOverKeepingBackup(file.temporaryPath(), file.destination(), backups[i], reason, step);
      if (!moved && !Exists(backups[i])) backups[i].clear();
    } else {
      moved = sys::MoveOver(file.temporaryPath(), file.destination(), reason);
    }
    if (!moved) {
      if (std::string problem = file.TargetProblem(); !problem.empty()) reason = problem;
      for (std::size_t j = i; j-- > 0;) {
        if (!backups[j].empty()) {
          std::string ignored;
          sys::MoveOver(backups[j], files[j]->destination(), ignored);
        } else if (!existed[j]) {
          sys::RemoveQuietly(files[j]->destination());
        }
        step();
      }
      if (!backups[i].empty()) sys::RemoveQuietly(backups[i]);
      failure = {file.target(), reason};
      return false;
    }
    file.MarkCommitted();
    step();
  }
  if (names == NameFlush::kFolders) {
    // Each folder once: files put side by side share one flush.
    std::vector<std::string> folders;
    for (FileReplacement* file : files)
      if (std::string folder = FolderOf(file->destination());
          std::find(folders.begin(), folders.end(), folder) == folders.end())
        folders.push_back(std::move(folder));
    for (const std::string& folder : folders) SyncFolderNowOrAfterBatch(folder);
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (!backups[i].empty()) {
      sys::RemoveQuietly(backups[i]);
      step();
    }
  }
  // What interrupted runs left needs no lock (the files of runs going on are skipped), and
  // the runs of a batch that write into one folder would otherwise queue for each scan.
  sys::Unlock(lock.handle);
  lock.handle = sys::kNoHandle;
  for (FileReplacement* file : files) RemoveLeftoversOf(file->destination());
  return true;
}

}  // namespace

bool CommitReplacements(const std::vector<FileReplacement*>& files, CommitFailure& failure,
                        const CommitStep& afterEachStep, NameFlush names) {
  return CommitGroup(files, failure, afterEachStep, names, true);
}

bool CommitReplacement(FileReplacement& file, std::string& reason, NameFlush names) {
  CommitFailure failure;
  if (CommitReplacements({&file}, failure, {}, names)) return true;
  reason = failure.reason;
  return false;
}

ReplacementLock::ReplacementLock(std::string target)
    : target_(std::move(target)),
      destination_(ResolvedTarget(target_)),
      handle_(sys::LockFolderOf(destination_, FolderOf(destination_))) {}

ReplacementLock::~ReplacementLock() { sys::Unlock(handle_); }

bool CommitReplacement(FileReplacement& file, const ReplacementLock& held, std::string& reason, NameFlush names) {
  CommitFailure failure;
  if (CommitGroup({&file}, failure, {}, names, file.destination() != held.destination())) return true;
  reason = failure.reason;
  return false;
}
