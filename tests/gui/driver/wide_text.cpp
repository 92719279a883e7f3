#include "wide_text.h"

#include "text_conversion.h"

std::string Utf8(const std::wstring& text) { return NarrowText(text, Narrow::Utf8); }
std::wstring Wide(const std::string& utf8) { return WideText(utf8, Narrow::Utf8); }
std::wstring FromAnsi(const std::string& text) { return WideText(text, Narrow::Ansi); }
std::string ToAnsi(const std::wstring& text) { return NarrowText(text, Narrow::Ansi); }

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
