#include "text_conversion.h"

#include <windows.h>

namespace {
UINT CodePage(Narrow encoding) { return encoding == Narrow::Utf8 ? CP_UTF8 : CP_ACP; }
}  // namespace

std::wstring WideText(std::string_view text, Narrow from) {
  if (text.empty()) return {};
  const UINT codePage = CodePage(from);
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
  return wide;
}

std::string NarrowText(std::wstring_view text, Narrow to, bool* lossy) {
  if (lossy) *lossy = false;
  if (text.empty()) return {};
  const UINT codePage = CodePage(to);
  const int size = static_cast<int>(text.size());
  // UTF-8 takes no default character: every character has a form.
  BOOL usedDefault = FALSE;
  BOOL* askDefault = to == Narrow::Ansi && lossy ? &usedDefault : nullptr;
  const int length = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, askDefault);
  if (length <= 0) return {};
  std::string narrow(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), size, narrow.data(), length, nullptr, askDefault);
  if (lossy) *lossy = usedDefault != FALSE;
  return narrow;
}
