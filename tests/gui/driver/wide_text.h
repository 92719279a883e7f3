// Conversions between the editor's UTF-16 window texts and the driver's UTF-8 report.
#pragma once

#include <string>

std::string Utf8(const std::wstring& text);
std::wstring Wide(const std::string& utf8);
// Text in the process's ANSI code page (936 under LANG=zh_CN.UTF-8), as the editor passes
// catalogue names to the A calls.
std::wstring FromAnsi(const std::string& text);
std::string ToAnsi(const std::wstring& text);
// The text in double quotes, for failure details.
std::string Quoted(const std::wstring& text);
std::string Quoted(const std::string& utf8);
