#include <windows.h>

#include <cstring>

#include "system_error.h"

namespace {
// FormatMessage ends its text with a period and CR LF; messages here add their own ending.
std::string Trimmed(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.'))
    text.pop_back();
  return text;
}
}  // namespace

std::string ErrnoText(int code) { return Trimmed(std::strerror(code)); }

long LastSystemError() { return static_cast<long>(GetLastError()); }

std::string SystemErrorText(long code) {
  char text[512] = {};
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                      static_cast<DWORD>(code), MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), text,
                                      sizeof text, nullptr);
  if (length == 0) return "system error " + std::to_string(code);
  return Trimmed(text);
}
