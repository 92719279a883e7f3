// CheckLog: the driver's verdicts. Each check prints one line as soon as it is decided,
// "PASS name" or "FAIL name: detail" (UTF-8), and Summary ends the run with
// "N passed, M failed". Output is flushed per line so a hung editor still leaves a trail.
#pragma once

#include <string>

class CheckLog {
 public:
  void Pass(const std::string& name);
  void Fail(const std::string& name, const std::string& detail);
  // Pass when ok, otherwise Fail with the detail. Returns ok.
  bool Expect(bool ok, const std::string& name, const std::string& detail);
  // A note that is neither a pass nor a failure (timings), on stderr: stdout holds only
  // the check lines and the summary.
  void Note(const std::string& text);
  void PrintSummary() const;

  int passed() const { return passed_; }
  int failed() const { return failed_; }

 private:
  int passed_ = 0;
  int failed_ = 0;
};
