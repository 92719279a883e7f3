#include "read_file.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "path_limits.h"
#include "system_error.h"

namespace {
struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
}  // namespace

std::string FolderProblem(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::is_directory(path, ignored) ? "it is a folder" : "";
}

std::string SpecialFileProblem(const std::string& path) {
  // Opening a FIFO for reading waits for a writer, and a device may never end: neither is
  // read at all. A missing file is left to the open, which says so in the system's words.
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (error || !std::filesystem::exists(status) || std::filesystem::is_regular_file(status)) return "";
  return "it is not a regular file";
}

bool ReadFileContents(const std::string& path, std::uint64_t maxBytes, std::vector<std::uint8_t>& bytes,
                      std::string& reason) {
  bytes.clear();
  reason = PathLengthProblem(path);
  if (reason.empty()) reason = FolderProblem(path);
  if (reason.empty()) reason = SpecialFileProblem(path);
  if (!reason.empty()) return false;
  errno = 0;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    reason = ErrnoText(errno ? errno : ENOENT);
    return false;
  }
  // The size is only a hint for the first allocation: the file is read to its real end.
  // Asking for one byte more than the hint shows that end in the first read, so a file of
  // the size it claims is read in one go into memory sized once (it may be memory the
  // caller's vector kept from an earlier file).
  std::error_code ignored;
  const std::uintmax_t hint = std::filesystem::file_size(path, ignored);
  try {
    constexpr std::size_t kChunk = 1 << 16;
    std::size_t want = hint != static_cast<std::uintmax_t>(-1) && hint < maxBytes ? static_cast<std::size_t>(hint) + 1
                                                                                   : kChunk;
    for (;;) {
      const std::size_t at = bytes.size();
      bytes.resize(at + want);
      const std::size_t got = std::fread(bytes.data() + at, 1, want, file.get());
      bytes.resize(at + got);
      if (bytes.size() > maxBytes) {
        bytes = {};
        reason = "the file is larger than " + std::to_string(maxBytes) + " bytes";
        return false;
      }
      if (got < want) break;
      want = kChunk;
    }
  } catch (const std::bad_alloc&) {
    bytes = {};
    reason = "out of memory for the file";
    return false;
  }
  if (std::ferror(file.get())) {
    bytes = {};
    reason = ErrnoText(errno ? errno : EIO);
    return false;
  }
  return true;
}
