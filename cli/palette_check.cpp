#include "palette_check.h"

#include <cstdint>
#include <filesystem>
#include <vector>

#include "file_kind.h"
#include "pal_file.h"
#include "read_file.h"

namespace {
constexpr char kPalForm[] = "a PAL file is 768 bytes: 256 colours of red, green and blue, each 0..63";
// Larger files are named by their size alone rather than read to be described.
constexpr std::uint64_t kMaxDescribedSize = std::uint64_t{1} << 24;
}  // namespace

std::string PaletteFileProblem(const std::string& path) {
  const std::string notPal = path + ": not a PAL palette: ";
  std::error_code code;
  const std::uintmax_t size = std::filesystem::file_size(path, code);
  if (!code && size > kMaxDescribedSize) return notPal + "it has " + std::to_string(size) + " bytes (" + kPalForm + ")";
  std::vector<std::uint8_t> bytes;
  std::string reason;
  if (!ReadFileContents(path, kMaxDescribedSize, bytes, reason))
    return path + ": PAL file open error! (" + reason + ")";
  if (KindOfContent(bytes.data(), bytes.size()) == FileKind::kPal) return {};
  const std::string what = DescribeContent(bytes.data(), bytes.size());
  // 768 bytes that are no other format are most likely a palette of 8-bit values.
  if (bytes.size() != kPalFileSize || (!what.empty() && what != "text")) {
    if (!what.empty()) return notPal + "it is " + what + " (" + kPalForm + ")";
    return notPal + "it has " + std::to_string(bytes.size()) + " bytes (" + kPalForm + ")";
  }
  std::size_t at = 0;
  while (bytes[at] <= 63) ++at;
  return notPal + "byte " + std::to_string(at) + " is " + std::to_string(bytes[at]) +
         ", above 63; an 8-bit palette must be divided by 4 first (" + kPalForm + ")";
}
