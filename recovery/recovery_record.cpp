#include "recovery_record.h"

#include <charconv>
#include <cstdio>

namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

template <typename Number>
bool ParseNumber(std::string_view text, Number& value, int base = 10) {
  if (text.empty()) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  return error == std::errc() && end == text.data() + text.size();
}

bool ParseTime(std::string_view text, RecoveryTime& time) {
  // Exactly "YYYY-MM-DD HH:MM:SS", each field in its range.
  if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' || text[13] != ':' || text[16] != ':')
    return false;
  const bool numbers = ParseNumber(text.substr(0, 4), time.year) && ParseNumber(text.substr(5, 2), time.month) &&
                       ParseNumber(text.substr(8, 2), time.day) && ParseNumber(text.substr(11, 2), time.hour) &&
                       ParseNumber(text.substr(14, 2), time.minute) && ParseNumber(text.substr(17, 2), time.second);
  return numbers && time.month >= 1 && time.month <= 12 && time.day >= 1 && time.day <= 31 && time.hour <= 23 &&
         time.minute <= 59 && time.second <= 60;
}

std::string Hex16(std::uint64_t value) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llX", static_cast<unsigned long long>(value));
  return text;
}

}  // namespace

std::string RecoveryTime::Text() const {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour, minute, second);
  return text;
}

std::string RecoveryTime::ClockText() const {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d", hour, minute);
  return text;
}

std::string FormatRecoveryRecord(const RecoveryRecord& record) {
  return "; Vantorel recovery record\r\n[Recovery]\r\nOriginal=" + record.originalPath +
         "\r\nTime=" + record.time.Text() + "\r\nProcessId=" + std::to_string(record.writer.processId) +
         "\r\nProcessStart=" + Hex16(record.writer.startTime) + "\r\n";
}

bool ParseRecoveryRecord(std::string_view text, RecoveryRecord& record, std::string& reason) {
  auto fail = [&reason](std::string why) {
    reason = std::move(why);
    return false;
  };
  if (text.size() > kRecoveryRecordMaxBytes) return fail("the record is too large");
  bool section = false, original = false, time = false, processId = false, processStart = false;
  int lineNumber = 0;
  while (!text.empty()) {
    const auto end = text.find('\n');
    const std::string_view line = Trim(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++lineNumber;
    if (line.empty() || line.front() == ';') continue;
    if (line.find('\0') != std::string_view::npos)
      return fail("line " + std::to_string(lineNumber) + " holds a zero byte");
    if (line == "[Recovery]") {
      section = true;
      continue;
    }
    const auto equals = line.find('=');
    if (!section || equals == std::string_view::npos)
      return fail("line " + std::to_string(lineNumber) + " is not KEY=VALUE under [Recovery]");
    const std::string_view key = Trim(line.substr(0, equals));
    const std::string_view value = Trim(line.substr(equals + 1));
    if (key == "Original") {
      record.originalPath = std::string(value);
      original = true;
    } else if (key == "Time") {
      if (!(time = ParseTime(value, record.time))) return fail("the time '" + std::string(value) + "' is not valid");
    } else if (key == "ProcessId") {
      if (!(processId = ParseNumber(value, record.writer.processId))) return fail("the process id is not a number");
    } else if (key == "ProcessStart") {
      processStart = value.size() == 16 && ParseNumber(value, record.writer.startTime, 16);
      if (!processStart) return fail("the process start is not 16 hex digits");
    }
  }
  if (!original) return fail("no Original line");
  if (!time) return fail("no Time line");
  if (!processId || !processStart) return fail("the writing process is not named");
  return true;
}

std::string RecoveryFolderName(const EditorIdentity& editor) {
  return "editor-" + std::to_string(editor.processId) + "-" + Hex16(editor.startTime);
}

bool ParseRecoveryFolderName(std::string_view name, EditorIdentity& editor) {
  constexpr std::string_view kPrefix = "editor-";
  if (!name.starts_with(kPrefix)) return false;
  name.remove_prefix(kPrefix.size());
  const auto dash = name.find('-');
  if (dash == std::string_view::npos) return false;
  const std::string_view start = name.substr(dash + 1);
  return ParseNumber(name.substr(0, dash), editor.processId) && start.size() == 16 &&
         ParseNumber(start, editor.startTime, 16);
}
