#include "scene_values.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace {

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

constexpr long kLargestNumber = 1000000000L;
const std::string kNumberRange = "-1000000000..1000000000";

}  // namespace

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::vector<std::string> SplitFields(const std::string& value) {
  std::vector<std::string> fields;
  std::string::size_type start = 0;
  while (true) {
    const auto comma = value.find(',', start);
    fields.push_back(Trim(value.substr(start, comma - start)));
    if (comma == std::string::npos) return fields;
    start = comma + 1;
  }
}

Number ParseInt(const std::string& text, int& out) {
  if (text.empty() || std::isspace(static_cast<unsigned char>(text[0]))) return Number::kMalformed;
  char* end = nullptr;
  errno = 0;
  const long long value = std::strtoll(text.c_str(), &end, 10);
  if (end == text.c_str() || *end != '\0') return Number::kMalformed;
  if (errno == ERANGE || value < -kLargestNumber || value > kLargestNumber) return Number::kOutOfRange;
  out = static_cast<int>(value);
  return Number::kOk;
}

std::string NumberProblem(const std::string& text, int& out) {
  switch (ParseInt(text, out)) {
    case Number::kOk: return {};
    case Number::kMalformed: return "'" + text + "' is not a number";
    case Number::kOutOfRange: return text + " is out of range (" + kNumberRange + ")";
  }
  return {};
}

std::string PointProblem(const std::string& text, Point& out) {
  const auto fields = SplitFields(text);
  if (fields.size() != 2) return "'" + text + "' is not x,y";
  std::string problem = NumberProblem(fields[0], out.x);
  if (problem.empty()) problem = NumberProblem(fields[1], out.y);
  return problem;
}
