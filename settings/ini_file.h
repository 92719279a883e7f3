// IniFile: an INI file (such as the template package's Settings.ini) read into memory.
//
// Holds the file name and, after Load, the file's sections in file order, each an ordered
// list of key/value entries (line rules in ini_line.h, line splitting in
// ini_chunk_reader.h). Nothing is cached between loads and nothing is written back.
//
// Lookups compare names exactly, byte by byte and case-sensitively. Sections are searched in
// file order and the first of a name is used, so entries under a repeated header are never
// found by name (they are still listed by index); within a section the first equal key
// wins. While no file name is set every lookup answers "not found" (false, 0 or null),
// whatever sections are held.
//
// Pointers returned by GetKeyName and GetSectionName stay valid until the next Load, Clear
// or destruction.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "path_limits.h"

class IniFile {
 public:
  // The longest file name SetFileName accepts: the classic Windows path limit less the
  // terminator in the Windows build, what the system allows elsewhere.
  static constexpr std::size_t kMaxPathLength = ::kMaxPathLength;

  IniFile() = default;
  // As the default constructor followed by SetFileName(path).
  explicit IniFile(const char* path);

  // Records the file name. A null path or one longer than kMaxPathLength is refused: returns
  // false and leaves the object without a file name.
  bool SetFileName(const char* path);
  // Frees the sections held, then reads the file. Returns false, holding no sections, when
  // no file name is set or the file cannot be opened or read. Content never fails: lines
  // that are neither headers nor entries are ignored.
  bool Load();
  // Forgets the file name and frees the sections.
  void Clear();

  bool HasSection(const char* section) const;
  // Number of entries of the first section of that name; 0 when there is none.
  int GetKeyCount(const char* section) const;
  // The index-th key of the first section of that name; null when the section is missing
  // or the index is outside 0 .. count - 1.
  const char* GetKeyName(const char* section, int index) const;
  // Copies at most maximumLength characters of the value, then a terminator, so destination
  // must hold maximumLength + 1 characters. Returns false, destination untouched, when no
  // file is set, the section or key is missing, or destination is null.
  bool GetString(const char* section, const char* key, char* destination, std::size_t maximumLength) const;
  // True for "yes" or "true" in any case, false for any other value; the default when the
  // key is missing. Only the value's first 79 characters are looked at.
  bool GetBool(const char* section, const char* key, bool defaultValue) const;
  // The value's first 79 characters read as a decimal integer: leading white space, an
  // optional sign, digits up to the first non-digit; no digits give 0, values beyond the
  // int range give INT_MIN or INT_MAX. The default when the key is missing.
  int GetInt(const char* section, const char* key, int defaultValue) const;
  int GetSectionCount() const;
  // Name of the index-th section in file order; null when the index is outside
  // 0 .. count - 1 or no file is set.
  const char* GetSectionName(int index) const;

 private:
  struct IniSection {
    std::string name;
    std::vector<std::string> keys;
    std::vector<std::string> values;  // values[i] belongs to keys[i]
  };

  const IniSection* FindSection(const char* name) const;

  std::vector<IniSection> sections_;
  std::string filePath_;
  bool fileSet_ = false;
};
