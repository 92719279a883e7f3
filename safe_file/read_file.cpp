#include "read_file.h"

#include <cerrno>
#include <filesystem>
#include <memory>

#include "path_limits.h"
#include "system_error.h"

namespace {
struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
}  // namespace

std::string FileTypeProblem(const std::string& path) {
  std::error_code error;
  try {
    const auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status) || std::filesystem::is_regular_file(status)) return "";
    return std::filesystem::is_directory(status) ? "it is a folder" : "it is not a regular file";
  } catch (const std::exception&) {
    return "";  // a name the file system library cannot convert: the open says what is wrong
  }
}

std::string RegularFileProblem(const std::string& path) {
  std::string reason;
  long ignored = 0;
  const ReadHandle handle = OpenRegularFile(path, ReadSharing::kShared, reason, ignored);
  if (handle == kNoReadHandle) return reason;
  CloseReadHandle(handle);
  return "";
}

bool ReadFileContents(const std::string& path, std::uint64_t maxBytes, std::vector<std::uint8_t>& bytes,
                      std::string& reason) {
  bytes.clear();
  reason = PathLengthProblem(path);
  if (!reason.empty()) return false;
  std::unique_ptr<std::FILE, FileCloser> file(OpenRegularFileStream(path, reason));
  if (!file) return false;
  // The size is only a hint for the first allocation: the file is read to its real end.
  // Asking for one byte more than the hint shows that end in the first read, so a file of
  // the size it claims is read in one go into memory sized once (it may be memory the
  // caller's vector kept from an earlier file). A file already larger than the limit is
  // refused before any of it is read.
  std::error_code ignored;
  const std::uintmax_t hint = std::filesystem::file_size(path, ignored);
  const bool known = hint != static_cast<std::uintmax_t>(-1);
  if (known && hint > maxBytes) {
    reason = "the file is larger than " + std::to_string(maxBytes) + " bytes";
    return false;
  }
  try {
    constexpr std::size_t kChunk = 1 << 16;
    std::size_t want = known ? static_cast<std::size_t>(hint) + 1 : kChunk;
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
