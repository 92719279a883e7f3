#include "ini_chunk_reader.h"

bool IniChunkReader::Next(std::string& chunk) {
  chunk.clear();
  for (;;) {
    int c = std::getc(file_);
    if (c == EOF) break;
    if (c == '\r') {
      const int next = std::getc(file_);
      if (next != '\n' && next != EOF) std::ungetc(next, file_);
      c = '\n';
    }
    chunk.push_back(static_cast<char>(c));
    if (c == '\n') break;
  }
  return !chunk.empty();
}

bool IniChunkReader::Failed() const { return std::ferror(file_) != 0; }
