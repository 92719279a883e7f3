// IniChunkReader: splits an open file into the lines the INI parser sees.
//
// Lines are read whole, whatever their length, so a long value is never cut and the tail of
// a long comment never turns into a key. A line ends at LF, CR LF or a lone CR, and each
// comes out ending in a single LF (the last line may have none), so a file gives the same
// lines on Windows and Linux whichever ends it uses. NUL bytes are passed on as they are.
// The reader does not own the file.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

class IniChunkReader {
 public:
  explicit IniChunkReader(std::FILE* file) : file_(file) {}

  // Replaces `chunk` with the next line (its LF included when it has one). Returns false,
  // with `chunk` empty, at the end of the file or on a read error (see Failed).
  bool Next(std::string& chunk);
  // True when reading stopped because of an error rather than the end of the file.
  bool Failed() const;

 private:
  std::FILE* file_;
};
