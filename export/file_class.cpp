#include "file_class.h"

#include <cstring>
#include <system_error>
#include <thread>

#include "read_file.h"
#include "system_error.h"

bool FileClass::SetName(const char* path) {
  std::size_t length = 0;
  if (!path) length = kMaxFileName;
  while (length < kMaxFileName && path[length] != '\0') ++length;
  if (length >= kMaxFileName) {
    hasName_ = 0;
    name_[0] = '\0';
    refusedName_ = path ? std::string(path) : std::string();
    return false;
  }
  refusedName_.clear();
  std::memcpy(name_, path, length + 1);
  hasName_ = 1;
  return true;
}

int FileClass::Fail() {
  lastError_ = LastSystemError();
  return 0;
}

std::string FileClass::ErrorText() const {
  if (!hasName_) return refusedName_.empty() ? "no file name" : PathLengthProblem(refusedName_);
  if (!refusal_.empty()) return refusal_;
  if (lastError_ == 0) return "the file ends too early";
  return SystemErrorText(lastError_);
}

int FileClass::Open(int mode) {
  if (!hasName_) return 0;
  Close();
  refusal_.clear();
  handle_ = OpenHandle(mode);
  if (handle_ == kInvalidHandle) return 0;
  isOpen_ = 1;
  return 1;
}

FileClass::Handle FileClass::OpenForReading() {
  // Share mode 0 on Windows, as for every file of ours: nobody else opens it meanwhile.
  const ReadHandle handle = OpenRegularFile(name_, ReadSharing::kExclusive, refusal_, lastError_);
  if (handle == kNoReadHandle && lastError_ != 0) refusal_.clear();  // the system's words, from lastError_
  return handle == kNoReadHandle ? kInvalidHandle : handle;
}

int FileClass::Close() {
  if (isOpen_) {
    ReleaseHandle();
    handle_ = kInvalidHandle;
    isOpen_ = 0;
  }
  return 1;
}

FlushResults FlushSideBySide(FileClass& first, FileClass& second) {
  FlushResults results;
  const auto flush = [](FileClass& file) { return !file.IsOpen() || file.Flush() != 0; };
  if (!first.IsOpen() || !second.IsOpen()) {
    results.first = flush(first);
    results.second = flush(second);
    return results;
  }
  std::thread other;
  try {
    other = std::thread([&] { results.second = flush(second); });
  } catch (const std::system_error&) {
    results.second = flush(second);
  }
  results.first = flush(first);
  if (other.joinable()) other.join();
  return results;
}
