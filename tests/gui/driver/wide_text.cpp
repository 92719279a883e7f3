#include "wide_text.h"

#include <windows.h>

namespace {
std::wstring ToWide(const std::string& text, UINT codePage) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(n, L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::string FromWide(const std::wstring& text, UINT codePage) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}
}  // namespace

std::string Utf8(const std::wstring& text) { return FromWide(text, CP_UTF8); }
std::wstring Wide(const std::string& utf8) { return ToWide(utf8, CP_UTF8); }
std::wstring FromAnsi(const std::string& text) { return ToWide(text, CP_ACP); }
std::string ToAnsi(const std::wstring& text) { return FromWide(text, CP_ACP); }

std::string Quoted(const std::wstring& text) { return Quoted(Utf8(text)); }

std::string Quoted(const std::string& utf8) {
  std::string out = "\"";
  for (char c : utf8) {
    if (c == '\n')
      out += "\\n";
    else if (c == '\r')
      out += "\\r";
    else
      out += c;
  }
  return out + "\"";
}
