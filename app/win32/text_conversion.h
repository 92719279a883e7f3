// Text between the narrow encodings and UTF-16, for the W calls: the one conversion.
//
// Narrow text is UTF-8 (texts of our own, scene files) or in the ANSI code page of the
// narrow calls (names the system gives: files, the command line). The editor's manifest
// makes that code page UTF-8 too where the system honours it; elsewhere the two differ.
#pragma once

#include <string>
#include <string_view>

enum class Narrow { Utf8, Ansi };

// Bytes that are not valid in `from` come out as U+FFFD.
std::wstring WideText(std::string_view text, Narrow from = Narrow::Ansi);
// `lossy`, when given, tells whether a character had no narrow form: one the ANSI code page
// lacks, or (in UTF-8) an unpaired surrogate; it comes out as a stand-in.
std::string NarrowText(std::wstring_view text, Narrow to = Narrow::Ansi, bool* lossy = nullptr);
