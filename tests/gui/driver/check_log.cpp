#include "check_log.h"

#include <cstdio>

namespace {
void PrintLine(const std::string& line, std::FILE* stream = stdout) {
  std::fwrite(line.data(), 1, line.size(), stream);
  std::fputc('\n', stream);
  std::fflush(stream);
}
}  // namespace

void CheckLog::Pass(const std::string& name) {
  ++passed_;
  PrintLine("PASS " + name);
}

void CheckLog::Fail(const std::string& name, const std::string& detail) {
  ++failed_;
  PrintLine("FAIL " + name + ": " + detail);
}

bool CheckLog::Expect(bool ok, const std::string& name, const std::string& detail) {
  if (ok)
    Pass(name);
  else
    Fail(name, detail);
  return ok;
}

void CheckLog::Note(const std::string& text) { PrintLine("# " + text, stderr); }

void CheckLog::PrintSummary() const {
  PrintLine(std::to_string(passed_) + " passed, " + std::to_string(failed_) + " failed");
}
