// Recovery records through the parser, and what it accepted written and read back the same.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "recovery_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  RecoveryRecord record;
  std::string reason;
  if (!ParseRecoveryRecord(std::string_view(reinterpret_cast<const char*>(data), size), record, reason)) return 0;
  RecoveryRecord again;
  if (!ParseRecoveryRecord(FormatRecoveryRecord(record), again, reason)) std::abort();
  if (again.originalPath != record.originalPath || again.time.Text() != record.time.Text() ||
      !(again.writer == record.writer))
    std::abort();
  return 0;
}
