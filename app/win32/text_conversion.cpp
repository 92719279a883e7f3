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
  // UTF-8 (also as the ANSI code page, which the editor's manifest asks for) takes no
  // default character, and a call that asks for one fails: there every valid character has
  // a form and only an unpaired surrogate has none.
  const bool utf8 = codePage == CP_UTF8 || GetACP() == CP_UTF8;
  BOOL usedDefault = FALSE;
  BOOL* askDefault = !utf8 && lossy ? &usedDefault : nullptr;
  DWORD flags = utf8 && lossy ? WC_ERR_INVALID_CHARS : 0;
  int length = WideCharToMultiByte(codePage, flags, text.data(), size, nullptr, 0, nullptr, askDefault);
  if (length <= 0 && flags) {
    usedDefault = TRUE;
    flags = 0;
    length = WideCharToMultiByte(codePage, flags, text.data(), size, nullptr, 0, nullptr, nullptr);
  }
  if (length <= 0) return {};
  std::string narrow(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(codePage, flags, text.data(), size, narrow.data(), length, nullptr, askDefault);
  if (lossy) *lossy = usedDefault != FALSE;
  return narrow;
}
