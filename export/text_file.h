// Small text files read whole for showing them, such as the template package's readme in
// the About box.
#pragma once

#include <cstddef>
#include <string>

// More than any description file needs; a larger file shows its beginning.
inline constexpr std::size_t kMaxShownTextBytes = 1 << 20;

// Reads the file at `path` from its start, at most `limit` bytes, into `text`. False (and
// `text` empty) when the file cannot be opened, its size cannot be told or its bytes cannot
// be read. An empty file gives true and an empty text.
bool ReadTextFile(const char* path, std::string& text, std::size_t limit = kMaxShownTextBytes);

// The text with every line break as a carriage return and line feed pair, the only break a
// multi-line edit control shows: a lone line feed gets its carriage return. The text ends at
// its first NUL, where a window text would.
std::string WithCrLfLineBreaks(const std::string& text);
