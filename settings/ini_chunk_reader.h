// IniChunkReader: splits an open file into the lines the INI parser sees.
//
// A line is read the way a C text-mode reader with a 4095-byte buffer reads it: at most
// kIniChunkLength characters at a time, ending after the first line feed, so a longer
// physical line arrives as several chunks. The file is read as bytes on every platform and
// each CR LF pair is delivered as a single LF (what Windows text mode does), so a CRLF file
// gives the same chunks on Windows and Linux. A lone CR and NUL bytes are passed on as they
// are. The reader does not own the file.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

inline constexpr std::size_t kIniChunkLength = 4094;

class IniChunkReader {
 public:
  explicit IniChunkReader(std::FILE* file) : file_(file) {}

  // Replaces `chunk` with the next chunk (its LF included when it has one). Returns false,
  // with `chunk` empty, at the end of the file or on a read error (see Failed).
  bool Next(std::string& chunk);
  // True when reading stopped because of an error rather than the end of the file.
  bool Failed() const;

 private:
  std::FILE* file_;
};
